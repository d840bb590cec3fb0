#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer
# (preset `asan`, folder build-asan) and runs the whole test suite there. Any
# sanitizer report (a leak included; the options are in the test preset)
# fails the test that triggered it, and so this script.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/installa_dipendenze.sh
cmake --preset asan
cmake --build --preset asan --parallel 2
ctest --preset asan
