#!/usr/bin/env bash
# Packs the sample product into BUILD/sample/_Data.001, where BUILD is a
# Windows build folder (build/win32 by default) that holds the sample's
# programs in sample/files. Generates the sample's other files and its list
# file, and packs with the native package builder (built when missing, or
# given as PACKAGE_BUILDER).
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build/win32}
files="$build/sample/files"
for program in Kestrel.exe KestrelCore.dll KSUninst.exe; do
  [ -f "$files/$program" ] || { echo "pack-sample: $files/$program is missing; build $build first" >&2; exit 1; }
done

builder=${PACKAGE_BUILDER:-build/native/package_builder}
if [ -z "${PACKAGE_BUILDER:-}" ]; then
  [ -f build/native/build.ninja ] || cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build build/native --target package_builder >/dev/null
fi

# The Debian python, which has fontTools for the sample's font.
python=/usr/bin/python3
[ -x "$python" ] || python=python3
"$python" sample/make_sample_files.py "$files"

# Fixed times and attributes make the package the same on every build; the
# help file keeps the attributes it is created with.
"$builder" pack "$build/sample/Setup.lst" "$files" -o "$build/sample/_Data.001" --quiet \
  --time 2024-03-01T09:00:00 --attributes 20 --attributes Llegiume.txt=21 \
  --attributes Kestrel.chm=FFFFFFFF
"$builder" verify "$build/sample/_Data.001"
