#!/usr/bin/env bash
# Runs one Windows program under 64-bit Wine, in a prefix of its own, on a
# virtual 1024x768 screen, and removes every trace of the prefix afterwards.
# ctest uses it as the emulator of the Windows build. With INSTAL_SMALL_DRIVE
# naming a folder, drive D: of the prefix is that folder; INSTAL_DPI sets the
# screen's dots per inch.
set -u
wine_dir=/usr/lib/wine
prefix=$(mktemp -d "${TMPDIR:-/tmp}/instal-wine.XXXXXX")
export WINEPREFIX="$prefix"
export WINELOADER="$wine_dir/wine64"
export WINEDEBUG=-all
# No sound devices: without them message boxes do not wait on a beep.
export WINEDLLOVERRIDES="mscoree,mshtml=;winealsa.drv,winepulse.drv,wineoss.drv="
# The string table is ANSI code page 1252; this locale gives Wine that code page.
export LANG=en_US.UTF-8

# Windows that no window manager manages: Wine draws their frames itself and
# never waits for a manager to confirm that a window was hidden.
xvfb-run -a -s "-screen 0 1024x768x24" sh -c '
  "$0" reg add "HKCU\\Software\\Wine\\X11 Driver" /v Managed /d N /f >/dev/null 2>&1
  [ -n "${INSTAL_DPI:-}" ] && "$0" reg add "HKCU\\Control Panel\\Desktop" /v LogPixels /t REG_DWORD /d "$INSTAL_DPI" /f >/dev/null 2>&1
  [ -n "${INSTAL_SMALL_DRIVE:-}" ] && ln -sfn "$INSTAL_SMALL_DRIVE" "$WINEPREFIX/dosdevices/d:"
  exec "$0" "$@"' "$wine_dir/wine64" "$@"
status=$?
"$wine_dir/wineserver" -k 2>/dev/null
"$wine_dir/wineserver" -w 2>/dev/null
rm -rf "$prefix"
exit $status
