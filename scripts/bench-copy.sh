#!/usr/bin/env bash
# Benchmarks the copy step under Wine: CopyFiles on a set of mixed files
# (50 MB unless a size in MB is given), beside CopyFileA of the same files.
# Prints wall time, the share of the fixed pauses, the rest as a ratio
# to CopyFileA, and the processor time used during the pauses.
# BENCH_BUILD chooses the Windows build measured: win32 (the i686 release,
# the default) or win64.
set -euo pipefail
cd "$(dirname "$0")/.."

build=build/${BENCH_BUILD:-win32}
case "$build" in
  build/win32) toolchain=cmake/mingw-i686.cmake ;;
  build/win64) toolchain=cmake/mingw-x86_64.cmake ;;
  *) echo "BENCH_BUILD is win32 or win64" >&2; exit 2 ;;
esac
if [ ! -f $build/build.ninja ]; then
  cmake -S . -B $build -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=$toolchain
fi
cmake --build $build --target bench_copy -j2
echo "== $build/bench_copy.exe"
tests/run-under-wine.sh $build/bench_copy.exe "${1:-50}"
