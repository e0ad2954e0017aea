#!/usr/bin/env bash
# The main job: sets up the machine, builds everything (the i686 release,
# the x86_64 build that runs here, the native tools), packs the sample
# product, then runs the wizard under Wine.
#
# With a display, the wizard opens for a person to click through (the
# x86_64 build: this machine cannot run 32-bit code). Without one, the
# end-to-end runs drive it under Xvfb and save a screenshot of every page in
# build/win64/screenshots.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup-machine.sh
scripts/build.sh
scripts/pack-sample.sh build/win32 >/dev/null

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  demo=build/win64/demo
  mkdir -p "$demo"
  cp build/win64/Instal.exe build/win64/sample/_Data.001 "$demo/"
  export WINEPREFIX=${WINEPREFIX:-$PWD/build/wine-prefix}
  export WINEDEBUG=-all WINELOADER=/usr/lib/wine/wine64
  export WINEDLLOVERRIDES="mscoree,mshtml="
  echo "Starting the wizard (Wine prefix $WINEPREFIX)"
  cd "$demo" && exec /usr/lib/wine/wine64 Instal.exe
fi

shots=$PWD/build/win64/screenshots
rm -rf "$shots"
echo "No display: driving the wizard under Xvfb; screenshots go to $shots"
(cd build/win64 && INSTAL_ARTIFACTS="$shots" INSTAL_BUILD="$PWD" INSTAL_SOURCE="$PWD/../.." \
  ../../tests/run-under-wine.sh e2e_tests.exe 2>&1 | grep -E '^\[ *(OK|FAILED|PASSED) ')
ls "$shots"
