#!/usr/bin/env bash
# Times whole processes: one start of the one-shot program against the write
# floor (bench/pavimento_scrittura.cpp), a program that only writes the same
# six files' bytes, taken from a run of the program, the same safe way. Both
# run from copies in a temporary folder, so nothing lands in the build tree.
# Prints the medians and their ratio (hyperfine), then the peak memory of both
# (/usr/bin/time -v, "Maximum resident set size").
#
# Usage: bench/misura_processo.sh [BIN_FOLDER]
#   BIN_FOLDER holds compattatore and pavimento_scrittura; by default
#   build/bin, built with the default preset when they are missing.
#   RUNS (default 200) sets the number of timed runs of each program,
#   RUNS_MEMORIA (default 21) the runs whose peak memory is taken.
set -euo pipefail
cd "$(dirname "$0")/.."

runs="${RUNS:-200}"
runs_memoria="${RUNS_MEMORIA:-21}"

# Installs a Debian package when the file or command it provides is missing.
installa() {
  local serve=$1 pacchetto=$2
  command -v "$serve" >/dev/null 2>&1 && return 0
  local sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  echo "installo: $pacchetto"
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "$pacchetto"
}
installa hyperfine hyperfine
installa /usr/bin/time time

if [ $# -ge 1 ]; then
  bin=$1
else
  bin=build/bin
  if [ ! -x "$bin/compattatore" ] || [ ! -x "$bin/pavimento_scrittura" ]; then
    scripts/installa_dipendenze.sh
    cmake --preset default
    cmake --build --preset default --target compattatore pavimento_scrittura
  fi
fi
for p in compattatore pavimento_scrittura; do
  [ -x "$bin/$p" ] || { echo "manca $bin/$p" >&2; exit 1; }
done

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir "$tmp/programma" "$tmp/pavimento" "$tmp/riferimento"
cp "$bin/compattatore" "$tmp/programma/"
cp "$bin/pavimento_scrittura" "$tmp/pavimento/"

uscite=(Valmora_Tessa_R7736_note.txt Valmora_Tessa_R7736_rallentamenti.txt
        Valmora_Tessa_R7736_scheda_treno.txt Valmora_Tessa_linea.dat
        Valmora_Tessa_R7736.sim Valmora_Tessa_R7736.dat)

# One run of the program gives the bytes the floor writes.
"$tmp/programma/compattatore" >/dev/null
argomenti=()
byte_uscite=0
for f in "${uscite[@]}"; do
  cp "$tmp/programma/$f" "$tmp/riferimento/$f"
  argomenti+=("$tmp/riferimento/$f")
  byte_uscite=$((byte_uscite + $(stat -c %s "$tmp/riferimento/$f")))
done
echo "uscite: ${#uscite[@]} file, $byte_uscite byte"
echo

# ---- Time.
hyperfine -N --warmup 20 --runs "$runs" --export-csv "$tmp/tempi.csv" \
  -n programma "$tmp/programma/compattatore" \
  -n pavimento "$tmp/pavimento/pavimento_scrittura ${argomenti[*]}"

# CSV columns: command,mean,stddev,median,user,system,min,max (seconds).
# On a machine shared with other work the wall-clock median carries the
# waits for a core; the processor time (user + system, mean) does not, so
# both ratios are printed.
mediana() { awk -F, -v n="$1" '$1 == n { print $4 }' "$tmp/tempi.csv"; }
cpu() { awk -F, -v n="$1" '$1 == n { print $5 + $6 }' "$tmp/tempi.csv"; }
echo
awk -v p="$(mediana programma)" -v f="$(mediana pavimento)" \
    -v cp="$(cpu programma)" -v cf="$(cpu pavimento)" 'BEGIN {
  printf "mediana programma  %.3f ms   (cpu user+system %.3f ms)\n", p * 1000, cp * 1000
  printf "mediana pavimento  %.3f ms   (cpu user+system %.3f ms)\n", f * 1000, cf * 1000
  printf "rapporto           %.2f, cpu %.2f (obiettivo <= 1.5)\n", p / f, cp / cf
}'

# ---- Peak memory, kB: the median over several runs.
picco() {
  for _ in $(seq "$runs_memoria"); do
    /usr/bin/time -v "$@" 2>&1 >/dev/null | awk -F: '/Maximum resident set size/ { print $2 + 0 }'
  done | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'
}
m_programma=$(picco "$tmp/programma/compattatore")
m_pavimento=$(picco "$tmp/pavimento/pavimento_scrittura" "${argomenti[@]}")
# The baseline of a process of ours: the floor started with nothing to write.
m_base=$(picco "$tmp/pavimento/pavimento_scrittura")
echo
awk -v p="$m_programma" -v f="$m_pavimento" -v b="$m_base" -v u="$byte_uscite" 'BEGIN {
  limite = 2 * u / 1024 + b
  printf "picco programma    %d kB\n", p
  printf "picco pavimento    %d kB\n", f
  printf "base del processo  %d kB (pavimento senza file)\n", b
  printf "rapporto picchi    %.2f\n", p / f
  printf "limite 2 x uscite + base = %d kB: %s\n", limite, (p <= limite ? "entro" : "oltre")
}'
