#!/usr/bin/env bash
# Builds the one-shot program and runs it. It writes its outputs beside
# itself, in build/bin.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/installa_dipendenze.sh
cmake --preset default
cmake --build --preset default --target compattatore
build/bin/compattatore
echo "uscite in $(pwd)/build/bin:"
ls -l build/bin/Valmora_Tessa_*
