#!/usr/bin/env bash
# Builds the one-shot program and the two authors' tools (compila,
# ispeziona), and runs the program. It writes its outputs beside
# itself, in build/bin.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/installa_dipendenze.sh
cmake --preset default
cmake --build --preset default --target compattatore compila ispeziona
build/bin/compattatore
echo "uscite in $(pwd)/build/bin:"
ls -l build/bin/Valmora_Tessa_*
