#!/usr/bin/env bash
# Times whole processes: one start of the one-shot program against the write
# floor (bench/pavimento_scrittura.c), a plain C program that only writes the
# same six files' bytes, taken from a run of the program, the same safe way.
# Both run from copies in a temporary folder, so nothing lands in the build
# tree.
#
# The two are run in pairs by bench/cronometro_coppie.c (A then B, B then A in
# turn); each pair gives a ratio, and the figure is the median of those
# ratios, for wall time and for processor time (user + system) beside it.
# Peak memory is the median of the pairs' peak resident sets (wait4's
# rusage, the figure /usr/bin/time -v prints), with the process baseline:
# the floor started with no file to write.
#
# Usage: bench/misura_processo.sh [BIN_FOLDER]
#   BIN_FOLDER holds compattatore, pavimento_scrittura and cronometro_coppie;
#   by default build/bin, built with the default preset when they are missing.
#   COPPIE (default 200) sets the number of timed pairs, after 20 untimed.
set -euo pipefail
cd "$(dirname "$0")/.."

coppie="${COPPIE:-200}"
programmi=(compattatore pavimento_scrittura cronometro_coppie)

if [ $# -ge 1 ]; then
  bin=$1
else
  bin=build/bin
  for p in "${programmi[@]}"; do
    if [ ! -x "$bin/$p" ]; then
      cmake --preset default >/dev/null
      cmake --build --preset default --target "${programmi[@]}"
      break
    fi
  done
fi
for p in "${programmi[@]}"; do
  [ -x "$bin/$p" ] || { echo "manca $bin/$p" >&2; exit 1; }
done

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir "$tmp/programma" "$tmp/pavimento" "$tmp/vuoto" "$tmp/riferimento"
cp "$bin/compattatore" "$tmp/programma/"
cp "$bin/pavimento_scrittura" "$tmp/pavimento/"
cp "$bin/pavimento_scrittura" "$tmp/vuoto/"
cronometro="$bin/cronometro_coppie"

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
echo "carico prima: $(cut -d' ' -f1-3 /proc/loadavg)"

a=("$tmp/programma/compattatore")
b=("$tmp/pavimento/pavimento_scrittura" "${argomenti[@]}")
"$cronometro" 20 "${a[@]}" -- "${b[@]}" >/dev/null
"$cronometro" "$coppie" "${a[@]}" -- "${b[@]}" >"$tmp/coppie.txt"
# The baseline of a process: the floor with nothing to write.
"$cronometro" 21 "$tmp/vuoto/pavimento_scrittura" -- "$tmp/vuoto/pavimento_scrittura" >"$tmp/base.txt"
echo "carico dopo: $(cut -d' ' -f1-3 /proc/loadavg)"
echo

# Columns: tempo_a_us cpu_a_us picco_a_kb tempo_b_us cpu_b_us picco_b_kb.
mediana() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
colonna() { awk -v c="$2" 'NR > 1 { print $c }' "$1" | mediana; }
rapporto() { awk -v a="$2" -v b="$3" 'NR > 1 && $b > 0 { print $a / $b }' "$1" | mediana; }

t_p=$(colonna "$tmp/coppie.txt" 1)
t_f=$(colonna "$tmp/coppie.txt" 4)
c_p=$(colonna "$tmp/coppie.txt" 2)
c_f=$(colonna "$tmp/coppie.txt" 5)
r_t=$(rapporto "$tmp/coppie.txt" 1 4)
r_c=$(rapporto "$tmp/coppie.txt" 2 5)
m_p=$(colonna "$tmp/coppie.txt" 3)
m_f=$(colonna "$tmp/coppie.txt" 6)
m_b=$(colonna "$tmp/base.txt" 3)

awk -v tp="$t_p" -v tf="$t_f" -v cp="$c_p" -v cf="$c_f" -v rt="$r_t" -v rc="$r_c" \
    -v mp="$m_p" -v mf="$m_f" -v mb="$m_b" -v u="$byte_uscite" -v n="$coppie" 'BEGIN {
  printf "%d coppie, mediane             programma   pavimento   rapporto (mediana dei rapporti)\n", n
  printf "tempo                         %8.3f ms %8.3f ms   %.2f (obiettivo <= 1.3)\n", tp / 1000, tf / 1000, rt
  printf "cpu (user + system)           %8.3f ms %8.3f ms   %.2f\n", cp / 1000, cf / 1000, rc
  printf "picco di memoria              %8d kB %8d kB   %.2f\n", mp, mf, mp / mf
  printf "base del processo (pavimento senza file): %d kB; 2 x uscite + base = %d kB\n", mb, 2 * u / 1024 + mb
}'
