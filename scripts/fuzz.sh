#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time
# (FUZZ_SECONDS, 20 by default). Fails on any crash or sanitizer report.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${FUZZ_SECONDS:-20}
folder=build/fuzz
[ -f "$folder/build.ninja" ] || CC=clang CXX=clang++ cmake -S . -B "$folder" -G Ninja \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DINSTAL_FUZZ=ON >/dev/null
cmake --build "$folder" -j "$(nproc)"

for target in "$folder"/fuzz_*; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  corpus="$folder/corpus/$name"
  mkdir -p "$corpus"
  seeds="tests/fuzz/seeds/$name"
  echo "== $name for ${seconds}s"
  "$target" -max_total_time="$seconds" -max_len=65536 -print_final_stats=0 \
    "$corpus" $( [ -d "$seeds" ] && echo "$seeds" ) 2>&1 | tail -n 3
done
