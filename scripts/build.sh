#!/usr/bin/env bash
# Builds everything: the native core and tools, the x86_64 Windows build that
# the tests run under Wine, and the i686 release build.
set -euo pipefail
cd "$(dirname "$0")/.."

jobs=$(nproc)
configure() {   # folder, extra cmake arguments...
  local folder=$1; shift
  [ -f "$folder/build.ninja" ] || cmake -S . -B "$folder" -G Ninja -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
}

configure build/native
configure build/win64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake
configure build/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake

for folder in build/native build/win64 build/win32; do
  echo "== building $folder"
  cmake --build "$folder" -j "$jobs"
done
