#!/usr/bin/env bash
# A bounded fuzz run of the compile core (preset `fuzz`, folder build-fuzz):
# a fixed seed, a fixed time, the seed corpus of fuzz/corpus copied to a
# temporary folder so that the repository stays as it was. Any crash, hang,
# sanitizer report or broken invariant fails the run; the input that caused
# it is printed in base64 so that it can be replayed:
#     base64 -d > crash && build-fuzz/bin/compila_fuzz crash
#
# FUZZ_SECONDI sets the time (default 150 s).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/installa_dipendenze.sh
cmake --preset fuzz
cmake --build --preset fuzz --parallel 2 --target compila_fuzz

lavoro="$(mktemp -d)"
trap 'rm -rf "$lavoro"' EXIT
mkdir "$lavoro/corpus" "$lavoro/guasti"
cp fuzz/corpus/* "$lavoro/corpus/"

secondi="${FUZZ_SECONDI:-150}"
esito=0
build-fuzz/bin/compila_fuzz "$lavoro/corpus" \
  -dict=fuzz/dizionario.dict \
  -seed=20240601 \
  -max_total_time="$secondi" \
  -max_len=8192 \
  -timeout=20 \
  -rss_limit_mb=2560 \
  -print_final_stats=1 \
  -artifact_prefix="$lavoro/guasti/" \
  >"$lavoro/registro" 2>&1 || esito=$?

# libFuzzer's own counters: the last status line (executions, cov:, ft:)
# and the final statistics.
grep -E '^#[0-9]+[[:space:]]+(INITED|DONE)' "$lavoro/registro" || true
grep -E '^(Done [0-9]+ runs|stat::)' "$lavoro/registro" || true

if [ "$esito" -ne 0 ] || compgen -G "$lavoro/guasti/*" >/dev/null; then
  echo "fuzz: guasto trovato (uscita $esito)" >&2
  tail -n 80 "$lavoro/registro" >&2
  for f in "$lavoro"/guasti/*; do
    [ -e "$f" ] || continue
    echo "ingresso $(basename "$f") in base64:" >&2
    base64 -w 76 "$f" >&2
  done
  exit 1
fi
echo "fuzz: nessun guasto in ${secondi} s"
