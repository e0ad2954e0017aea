#!/usr/bin/env bash
# Runs every test: the native unit tests, the Windows test programs under
# 64-bit Wine, and a bounded fuzzing run. Sets up the machine first.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup-machine.sh
scripts/build.sh

echo "== native tests"
(cd build/native && ctest --output-on-failure)
echo "== Windows tests under Wine"
(cd build/win64 && ctest --output-on-failure -j 2)
echo "== fuzzing"
FUZZ_SECONDS=${FUZZ_SECONDS:-15} scripts/fuzz.sh
