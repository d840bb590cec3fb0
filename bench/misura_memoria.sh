#!/usr/bin/env bash
# Peak memory of compiling the 990 km synthetic route with the track plan and
# writing its line file (bench/picco_memoria.cpp), the line file encoded
# whole or in pieces, against the plan's own arrays plus the baseline of a
# process of ours (the same driver started with nothing to do). Each figure
# is the median of RUNS (default 7) runs of /usr/bin/time -v, "Maximum
# resident set size".
#
# Usage: bench/misura_memoria.sh [BIN_FOLDER] (default build/bin)
set -euo pipefail
cd "$(dirname "$0")/.."

bin=${1:-build/bin}
runs=${RUNS:-7}
km=${KM:-990}
if [ ! -x "$bin/picco_memoria" ]; then
  cmake --preset default >/dev/null
  cmake --build --preset default --target picco_memoria
fi
[ -x /usr/bin/time ] || { echo "manca /usr/bin/time (pacchetto time)" >&2; exit 1; }

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

picco() {
  for _ in $(seq "$runs"); do
    /usr/bin/time -v "$bin/picco_memoria" "$@" 2>&1 >/dev/null | awk -F: '/Maximum resident set size/ { print $2 + 0 }'
  done | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'
}

piano=$("$bin/picco_memoria" "$km" pezzi "$tmp/linea.dat")
byte_linea=$(stat -c %s "$tmp/linea.dat")
base=$(picco 0 pezzi "$tmp/linea.dat")
intero=$(picco "$km" intero "$tmp/linea.dat")
pezzi=$(picco "$km" pezzi "$tmp/linea.dat")
awk -v km="$km" -v piano="$piano" -v base="$base" -v intero="$intero" -v pezzi="$pezzi" -v linea="$byte_linea" 'BEGIN {
  riferimento = piano + base
  printf "%d km: file di linea %d kB, array del piano %d kB, base del processo %d kB\n", km, linea / 1024, piano, base
  printf "picco, file di linea intero   %7d kB  = %.2f x (piano + base)\n", intero, intero / riferimento
  printf "picco, file di linea a pezzi  %7d kB  = %.2f x (piano + base) (obiettivo <= 1.2)\n", pezzi, pezzi / riferimento
}'
