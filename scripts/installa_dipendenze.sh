#!/usr/bin/env bash
# Installs, from Debian's packages, whatever the build and the tests need and
# this machine lacks. Safe to run again: it installs nothing that is there.
set -euo pipefail
pacchetti=(cmake ninja-build gcc g++ libgtest-dev libgmock-dev libbenchmark-dev clang libclang-rt-14-dev time)
# The window layer: Xlib's headers to build (libX11 itself is loaded at run
# time); for its tests an X server, its fonts (a 24-point bold face among
# them), xdotool to find and answer windows, xwd and xwininfo to see them.
pacchetti+=(libx11-dev libx11-6 xvfb xfonts-base xfonts-75dpi xfonts-100dpi xdotool x11-apps x11-utils)
# libcli11-dev and nlohmann-json3-dev serve the tools only; chromium and
# python3 the page test of ispeziona.
pacchetti+=(libcli11-dev nlohmann-json3-dev chromium python3)
mancanti=()
for p in "${pacchetti[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || mancanti+=("$p")
done
if ((${#mancanti[@]})); then
  echo "installo: ${mancanti[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${mancanti[@]}"
fi
