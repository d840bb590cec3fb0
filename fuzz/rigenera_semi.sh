#!/usr/bin/env bash
# Rebuilds the seeds that come from elsewhere in the repository: the
# built-in scenario (incorporato) and every source fixture of the tests,
# each line fixture paired with the clean train fixture and each train
# fixture with the clean line fixture. The hand-written seeds stay as they
# are. Run it after the built-in texts or the fixtures change, and commit
# the result.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --parallel 2 --target compila_seme >/dev/null
corpus=fuzz/corpus
dati=tests/tools/dati

# One input: the flags byte, the line source, a 0x00 byte, the train source.
seme() { { printf '\x01'; cat "$2"; printf '\0'; cat "$3"; } >"$corpus/$1"; }

build-fuzz/bin/compila_seme >"$corpus/incorporato"
rm -f "$corpus"/fixture_*
for f in "$dati"/linea_*.txt; do
  seme "fixture_$(basename "$f" .txt)" "$f" "$dati/treno_pulito.txt"
done
for f in "$dati"/treno_*.txt; do
  [ "$f" = "$dati/treno_pulito.txt" ] && continue  # paired with linea_pulita above
  seme "fixture_$(basename "$f" .txt)" "$dati/linea_pulita.txt" "$f"
done
ls -l "$corpus"
