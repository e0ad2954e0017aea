#!/usr/bin/env bash
# Benchmarks the copy step under Wine: CopyFiles on a set of mixed files
# (50 MB unless a size in MB is given), beside CopyFileA of the same files.
# Prints wall time, the share of the fixed pauses, the rest as a ratio
# to CopyFileA, and the processor time used during the pauses.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ ! -f build/win64/build.ninja ]; then
  cmake -S . -B build/win64 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake
fi
cmake --build build/win64 --target bench_copy -j2
tests/run-under-wine.sh build/win64/bench_copy.exe "${1:-50}"
