#!/usr/bin/env bash
# Runs every test: the native unit tests, the Windows test programs of both
# builds under Wine (x86_64, then the i686 release through qemu-i386), and a
# bounded fuzzing run. Sets up the machine first and prints the total time.
set -euo pipefail
cd "$(dirname "$0")/.."
# The golden-file update mode rewrites the expectations instead of checking
# them: a run with it on proves nothing.
if [ -n "${INSTAL_UPDATE_GOLDEN+set}" ]; then
  echo "run-tests.sh: INSTAL_UPDATE_GOLDEN is set; unset it, the tests would rewrite their golden files instead of checking them" >&2
  exit 1
fi
started=$SECONDS
trap 'echo "== total time $(( (SECONDS - started) / 60 )) min $(( (SECONDS - started) % 60 )) s"' EXIT

scripts/setup-machine.sh
scripts/build.sh

echo "== native tests"
(cd build/native && ctest --output-on-failure)
# One build after the other: each ctest already uses both cores.
for build in win64 win32; do
  echo "== Windows tests under Wine: build/$build"
  build_started=$SECONDS
trap 'echo "== total time $(( (SECONDS - started) / 60 )) min $(( (SECONDS - started) % 60 )) s"' EXIT
  (cd build/$build && ctest --output-on-failure -j 2)
  echo "build/$build tests took $(( SECONDS - build_started )) s"
done
echo "== fuzzing"
FUZZ_SECONDS=${FUZZ_SECONDS:-15} scripts/fuzz.sh
