#!/usr/bin/env bash
# The main job: sets up the machine, builds everything (the i686 release,
# the x86_64 build, the native tools), packs the sample product, then runs
# the release, the i686 Instal.exe, under 32-bit Wine through qemu-i386.
# Where the 32-bit Wine cannot run (not installed, or a kernel without
# 32-bit support) it says why and runs the x86_64 build instead.
#
# With a display, the wizard opens for a person to click through, and then
# the installed Kestrel opens its sample document. Without one, the
# end-to-end runs drive it under Xvfb and save a screenshot of every page in
# build/<win32 or win64>/screenshots, the last of the full install showing
# Kestrel with the sample document.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/wine32.sh

scripts/setup-machine.sh
scripts/build.sh

problem=$(wine32_problem)
if [ -z "$problem" ]; then
  build=win32
else
  build=win64
  echo "The release build (i686) cannot run here: $problem."
  echo "Running the x86_64 build instead, the same wizard built for 64-bit Windows."
fi
scripts/pack-sample.sh build/$build >/dev/null

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  demo=build/$build/demo
  mkdir -p "$demo"
  cp build/$build/Instal.exe build/$build/sample/_Data.001 "$demo/"
  export WINEPREFIX=${WINEPREFIX:-$PWD/build/wine-prefix-$build}
  export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  if [ "$build" = win32 ]; then
    export WINEARCH=win32 WINELOADER=/usr/lib/wine/wine
    wine="qemu-i386 /usr/lib/wine/wine"
  else
    export WINELOADER=/usr/lib/wine/wine64
    wine=/usr/lib/wine/wine64
  fi
  echo "Starting the wizard (Wine prefix $WINEPREFIX)"
  (cd "$demo" && $wine Instal.exe) || echo "The wizard ended with status $?"
  # The demo ends in the installed Kestrel, showing its sample document as a
  # double click on it would; the product's settings name the folder.
  examples=$($wine reg query 'HKLM\SOFTWARE\TWC Products\Kestrel\Settings' /v Exemples 2>/dev/null |
             sed -n 's/^ *Exemples *REG_SZ *//p' | tr -d '\r' || true)
  if [ -z "$examples" ]; then
    echo "Kestrel is not installed: no sample document to open"
    exit 0
  fi
  echo "Opening $examples\\Hola.kst in the installed Kestrel"
  exec $wine start "$examples\\Hola.kst"
fi

shots=$PWD/build/$build/screenshots
log=$PWD/build/$build/run-wizard.log
rm -rf "$shots"
echo "No display: driving the wizard under Xvfb; screenshots go to $shots"
# The package of 3,500 MiB is a test of size, not of pages: left to the tests.
status=0
(cd build/$build && INSTAL_ARTIFACTS="$shots" INSTAL_BUILD="$PWD" INSTAL_SOURCE="$PWD/../.." \
  ../../tests/run-under-wine.sh e2e_tests.exe '--gtest_filter=-LargePackage.*' >"$log" 2>&1) || status=$?
grep -E '^\[ *(OK|FAILED|PASSED) ' "$log" || true
if [ "$status" -ne 0 ]; then
  echo "The end-to-end runs failed (status $status); full output in $log"
  # The failed checks with their messages, or, when no test ran at all
  # (Wine did not start), the end of the output, which says why.
  if grep -q '^\[ *RUN' "$log"; then
    grep -E -A 12 '(: Failure$|^unknown file: Failure|^\[ *FAILED )' "$log" | head -n 80
  else
    tail -n 30 "$log"
  fi
  exit 1
fi
echo "Screenshots of the wizard's pages:"
ls "$shots"
