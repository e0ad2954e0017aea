#!/usr/bin/env bash
# Runs every test: the check that no include reaches a higher floor, the
# native unit tests, the Windows test programs of both builds under Wine
# (x86_64, then the i686 release through qemu-i386), and a bounded fuzzing
# run. Sets up the machine first, runs every stage even after
# one fails, and ends with a summary and the total time; the exit status is
# non-zero when a stage failed.
#
# The i686 build is always built, but its tests need the 32-bit Wine, whose
# loader Wine executes again by itself: where that cannot run, they are
# skipped and the script says so at the start and in the summary.
# INSTAL_EMULATE_I386=1 registers qemu-i386 for 32-bit programs for the
# length of the run instead (many times slower).
set -uo pipefail
cd "$(dirname "$0")/.."
# The golden-file update mode rewrites the expectations instead of checking
# them: a run with it on proves nothing.
if [ -n "${INSTAL_UPDATE_GOLDEN+set}" ]; then
  echo "run-tests.sh: INSTAL_UPDATE_GOLDEN is set; unset it, the tests would rewrite their golden files instead of checking them" >&2
  exit 1
fi
. scripts/wine32.sh

started=$SECONDS
results=()
failed=
untested_i686=
finish() {
  i386_emulation_stop
  echo "== summary"
  local line
  for line in "${results[@]}"; do
    echo "$line"
  done
  [ -n "$untested_i686" ] && echo "$untested_i686"
  echo "== total time $(( (SECONDS - started) / 60 )) min $(( (SECONDS - started) % 60 )) s"
}
trap finish EXIT
# An interrupted run still unregisters the emulation and says how far it got.
trap 'exit 130' INT TERM

# Runs one stage and notes how it went: name, command...
stage() {
  local name=$1 stage_started=$SECONDS
  shift
  echo "== $name"
  if "$@"; then
    results+=("$name: passed ($(( SECONDS - stage_started )) s)")
  else
    results+=("$name: FAILED ($(( SECONDS - stage_started )) s)")
    failed=1
  fi
}

scripts/setup-machine.sh || exit 1

if [ "${INSTAL_EMULATE_I386:-}" = 1 ]; then
  if [ -x "$wine32_loader" ]; then
    i386_emulation_start || exit 1
  else
    echo "INSTAL_EMULATE_I386: the 32-bit Wine is not installed; no emulation registered"
  fi
fi
# Once, before anything is built, so that a person sees it at once.
problem=$(wine32_problem)
if [ -n "$problem" ]; then
  untested_i686="the i686 release build was NOT tested on this machine: $problem"
  echo "== $untested_i686"
  if [[ $problem == *kernel* && -x $wine32_loader ]]; then
    echo "   (INSTAL_EMULATE_I386=1 runs its tests under qemu-i386 emulation, which may take hours)"
  fi
fi

scripts/build.sh || exit 1

# No file may include a header of a higher floor (README, Layout).
stage "floor check" scripts/check-floors.sh
stage "native tests" sh -c 'cd build/native && ctest --output-on-failure'
# One build after the other: each ctest already uses both cores.
stage "build/win64 tests under Wine" sh -c 'cd build/win64 && ctest --output-on-failure -j 2'
if [ -z "$untested_i686" ]; then
  # Under emulation every run is many times slower: so are the time limits.
  scale=1
  [ -n "$emulation_registered" ] && scale=20
  cmake -DINSTAL_TEST_TIMEOUT_SCALE=$scale build/win32 >/dev/null || exit 1
  stage "build/win32 tests under Wine" sh -c 'cd build/win32 && ctest --output-on-failure -j 2'
else
  results+=("build/win32 tests under Wine: NOT RUN")
fi
stage "fuzzing" env FUZZ_SECONDS="${FUZZ_SECONDS:-15}" scripts/fuzz.sh

[ -z "$failed" ]
