#!/usr/bin/env bash
# The main job: sets up the machine, builds everything (the i686 release,
# the x86_64 build, the native tools), packs the sample product, then runs
# the release, the i686 Instal.exe, under 32-bit Wine through qemu-i386.
#
# With a display, the wizard opens for a person to click through, and then
# the installed Kestrel opens its sample document. Without one, the
# end-to-end runs of the i686 build drive it under Xvfb and save a
# screenshot of every page in build/win32/screenshots, the last of the full
# install showing Kestrel with the sample document.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup-machine.sh
scripts/build.sh
scripts/pack-sample.sh build/win32 >/dev/null

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  demo=build/win32/demo
  mkdir -p "$demo"
  cp build/win32/Instal.exe build/win32/sample/_Data.001 "$demo/"
  export WINEPREFIX=${WINEPREFIX:-$PWD/build/wine-prefix-win32}
  export WINEARCH=win32 WINEDEBUG=-all WINELOADER=/usr/lib/wine/wine
  export WINEDLLOVERRIDES="mscoree,mshtml="
  wine="qemu-i386 /usr/lib/wine/wine"
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

shots=$PWD/build/win32/screenshots
rm -rf "$shots"
echo "No display: driving the wizard under Xvfb; screenshots go to $shots"
(cd build/win32 && INSTAL_ARTIFACTS="$shots" INSTAL_BUILD="$PWD" INSTAL_SOURCE="$PWD/../.." \
  ../../tests/run-under-wine.sh e2e_tests.exe 2>&1 | grep -E '^\[ *(OK|FAILED|PASSED) ')
ls "$shots"
