#!/usr/bin/env bash
# The install's pace on each Windows build: the waits' overshoot, the copy
# step beside its pauses plus CopyFileA, the unpacking beside its floor and
# the whole install beside the waits it asks for, with where the time beyond
# the waits goes step by step. Runs the copy, package and
# wizard benchmarks for win64 and win32 (the i686 release) and keeps their
# pace lines; BENCH_BUILDS narrows the list.
set -euo pipefail
cd "$(dirname "$0")/.."

for build in ${BENCH_BUILDS:-win64 win32}; do
  echo "== pace of build/$build"
  BENCH_BUILD=$build scripts/bench-copy.sh 50 2>&1 | tr -d '\r' \
    | grep -E '^(files|wall time|fixed pauses|CopyFileA|one chunk|copy step|mean overshoot)'
  BENCH_BUILD=$build scripts/bench-package.sh 2>&1 | tr -d '\r' \
    | grep -E '^(entries|engine decode-and-write|progress hook|unpacking with the bar)'
  BENCH_BUILD=$build scripts/bench-wizard.sh pace 2>&1 | tr -d '\r' | grep -E '^(whole install|  )'
done
