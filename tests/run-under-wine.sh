#!/usr/bin/env bash
# Runs one Windows program of either build under Wine, in a prefix of its
# own, on a virtual 1024x768 screen, and removes every trace of the prefix
# afterwards. ctest uses it as the emulator of both Windows builds.
#
# Making a prefix (wineboot) takes longer than many a test program: each
# run gets a copy of a template prefix instead, made once per build folder,
# Wine, architecture, Windows version and dots per inch, in wine-templates
# beside the program (or in INSTAL_WINE_TEMPLATES), by the first run that
# needs it while the others wait on its lock.
#
# The program's PE header chooses the Wine: x86_64 programs run under the
# 64-bit loader, i686 programs (the release) in a 32-bit prefix through
# qemu-i386 and the 32-bit loader.
#
# With INSTAL_SMALL_DRIVE naming a folder, drive D: of the prefix is that
# folder; INSTAL_DPI sets the screen's dots per inch; INSTAL_WINDOWS_VERSION
# ("win95", "win98", ...) is the Windows that Wine reports to the program.
#
# Wine links the prefix's user folders (the desktop among them) into $HOME
# and writes menu entries there for every shell link made: each run has a
# home folder of its own beside its prefix, and the run fails if anything
# appeared in the real home meanwhile.
set -u
wine_dir=/usr/lib/wine

# Machine field of the PE header: at the offset stored at 0x3C, after "PE\0\0".
pe_machine() {
  local header
  header=$(od -An -tu4 -j60 -N4 "$1" 2>/dev/null | tr -d ' ')
  od -An -tx2 -j$((header + 4)) -N2 "$1" 2>/dev/null | tr -d ' '
}

case "$(pe_machine "$1")" in
  014c)
    # Wine starts its helpers and the program's child processes by executing
    # the 32-bit loader again itself, not through qemu; the kernel's own
    # 32-bit support runs those.
    export WINEARCH=win32
    export WINELOADER="$wine_dir/wine"
    loader="qemu-i386 $wine_dir/wine" ;;
  8664)
    export WINEARCH=win64
    export WINELOADER="$wine_dir/wine64"
    loader="$wine_dir/wine64" ;;
  *)
    echo "run-under-wine: $1 is not an i686 or x86_64 Windows program" >&2
    exit 2 ;;
esac

real_home=${HOME:-}
area=$(mktemp -d "${TMPDIR:-/tmp}/instal-wine.XXXXXX")
# Anything in the real home changed after this file is a trace of the run.
touch "$area/started"
unset XDG_CONFIG_HOME XDG_DATA_HOME XDG_CACHE_HOME XDG_STATE_HOME
export WINEDEBUG=-all
# No sound devices: without them message boxes do not wait on a beep.
export WINEDLLOVERRIDES="mscoree,mshtml=;winealsa.drv,winepulse.drv,wineoss.drv="
# The string table is ANSI code page 1252; this locale gives Wine that code page.
export LANG=en_US.UTF-8
# That locale need not be installed, and without it Wine finds no Unix name
# for a file name beyond ASCII ("Hola món.kst" cannot be created); the
# character type of C.UTF-8, which is always there, gives it UTF-8 names.
export LC_CTYPE=C.UTF-8
screen="-screen 0 1024x768x24"

templates=${INSTAL_WINE_TEMPLATES:-$(cd "$(dirname "$1")" && pwd)/wine-templates}
key=$WINEARCH${INSTAL_WINDOWS_VERSION:+-$INSTAL_WINDOWS_VERSION}${INSTAL_DPI:+-${INSTAL_DPI}dpi}
template=$templates/$key
mkdir -p "$templates" || exit 2

# Wine draws the caption buttons with the Marlett font, which fonts-wine
# ships where only fontconfig would find it: the font configuration adds
# that one font to the system's, nothing else. It lies beside the templates,
# at one path for every run, as Wine's font cache in the prefix names it.
if [ ! -f "$templates/fonts.conf" ]; then
  mkdir -p "$templates/fonts"
  ln -sfn /usr/share/wine/fonts/marlett.ttf "$templates/fonts/marlett.ttf"
  cat > "$templates/fonts.conf.$$" <<FONTS
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig>
  <include ignore_missing="yes">/etc/fonts/fonts.conf</include>
  <dir>$templates/fonts</dir>
</fontconfig>
FONTS
  mv "$templates/fonts.conf.$$" "$templates/fonts.conf"
fi
export FONTCONFIG_FILE="$templates/fonts.conf"

# Makes the template: a prefix and the home folder it links into, with the
# settings every run of this kind shares. Windows that no window manager
# manages: Wine draws their frames itself and never waits for a manager to
# confirm that a window was hidden. The loader is one or two words without
# spaces, split on purpose.
make_template() {
  rm -rf "$template"
  mkdir -p "$template/prefix" "$template/home" || return 1
  (
    export WINEPREFIX="$template/prefix" HOME="$template/home"
    xvfb-run -a -s "$screen" sh -c '
      $0 reg add "HKCU\\Software\\Wine\\X11 Driver" /v Managed /d N /f ||
        { echo "run-under-wine: cannot make a Wine prefix with $0"; exit 1; }
      if [ -n "${INSTAL_DPI:-}" ]; then
        $0 reg add "HKCU\\Control Panel\\Desktop" /v LogPixels /t REG_DWORD /d "$INSTAL_DPI" /f ||
          { echo "run-under-wine: cannot set $INSTAL_DPI dots per inch"; exit 1; }
      fi
      if [ -n "${INSTAL_WINDOWS_VERSION:-}" ]; then
        $0 reg add "HKCU\\Software\\Wine" /v Version /d "$INSTAL_WINDOWS_VERSION" /f ||
          { echo "run-under-wine: cannot set the Windows version $INSTAL_WINDOWS_VERSION"; exit 1; }
      fi' "$loader"
    status=$?
    # The server writes the registry files when it ends, and no process of
    # the template may still write into it once runs copy it.
    "$wine_dir/wineserver" -w
    exit $status
  ) >"$template.log" 2>&1
}

# What the template was made by: a new Wine, or another recipe, makes it anew.
recipe="$key $(stat -c '%s %Y' "$WINELOADER" /usr/share/wine/wine.inf 2>/dev/null | tr '\n' ' ')$(declare -f make_template | cksum)"

# Wine's own processes must not inherit the lock: the server would hold it.
exec 9>>"$template.lock"
flock 9
if [ "$(cat "$template/recipe" 2>/dev/null)" != "$recipe" ]; then
  if ! make_template 9>&-; then
    echo "run-under-wine: could not make the Wine prefix template $template:" >&2
    cat "$template.log" >&2
    # qemu-i386 says nothing when it cannot start the 32-bit loader.
    if [ "$WINEARCH" = win32 ]; then
      . "$(dirname "$0")/../scripts/wine32.sh"
      problem=$(wine32_problem)
      [ -n "$problem" ] && echo "run-under-wine: $problem" >&2
    fi
    rm -rf "$template" "$area"
    exit 2
  fi
  # Written last: a template without it is unfinished and made again.
  echo "$recipe" > "$template/recipe"
fi
# Copies may be made side by side; nobody changes a finished template.
flock -s 9
cp -a "$template/prefix" "$area/prefix" && cp -a "$template/home" "$area/home"
copied=$?
exec 9>&-
if [ "$copied" -ne 0 ]; then
  echo "run-under-wine: could not copy the Wine prefix template $template" >&2
  rm -rf "$area"
  exit 2
fi
# Wine links the user's folders in the prefix to absolute paths in the home
# folder: the copy's links lead into the run's own home.
while IFS= read -r -d '' link; do
  target=$(readlink "$link")
  case "$target" in
    "$template"/*) ln -sfn "$area/${target#"$template"/}" "$link" ;;
  esac
done < <(find "$area/prefix" "$area/home" -type l -print0)

export WINEPREFIX="$area/prefix"
export HOME="$area/home"
[ -n "${INSTAL_SMALL_DRIVE:-}" ] && ln -sfn "$INSTAL_SMALL_DRIVE" "$WINEPREFIX/dosdevices/d:"

# The loader is one or two words without spaces, split on purpose.
xvfb-run -a -s "$screen" $loader "$@"
status=$?
"$wine_dir/wineserver" -k 2>/dev/null
"$wine_dir/wineserver" -w 2>/dev/null

# The run's own folders (the sources, the build and its results, the prefix
# area) may lie in the home; what the run writes there is meant.
if [ -d "$real_home" ]; then
  own=()
  for folder in "$area" "$templates" "${INSTAL_SOURCE:-}" "${INSTAL_BUILD:-}" "${INSTAL_ARTIFACTS:-}"; do
    [ -n "$folder" ] && own+=(-path "$(realpath -m "$folder")" -prune -o)
  done
  traces=$(find "$(realpath "$real_home")" -xdev -mindepth 1 "${own[@]}" -newer "$area/started" -print 2>/dev/null)
  if [ -n "$traces" ]; then
    echo "run-under-wine: the run left traces in $real_home:" >&2
    echo "$traces" >&2
    [ "$status" -eq 0 ] && status=1
  fi
fi
rm -rf "$area"
exit $status
