#!/usr/bin/env bash
# Benchmarks the real wizard under Wine, driven from outside: the time from
# start to the welcome page (median of RUNS starts, 5 unless given), and the
# processor time of its process while it waits idle on a page, through the
# install's pauses, and while an earlier installation's uninstaller runs (a
# package whose KSUninst.exe is the stand-in uninstaller, which sleeps);
# then the whole install of a package of one 16 MB file beside the waits it
# asks for plus CopyFileA of that file; last a silent install of the sample
# beside its floor (unpacking plus CopyFileA of the same files). "silent" or
# "pace" as the argument runs that measurement alone.
# BENCH_BUILD chooses the Windows build measured: win32 (the i686 release,
# the default) or win64.
set -euo pipefail
cd "$(dirname "$0")/.."

build=build/${BENCH_BUILD:-win32}
case "$build" in
  build/win32) toolchain=cmake/mingw-i686.cmake ;;
  build/win64) toolchain=cmake/mingw-x86_64.cmake ;;
  *) echo "BENCH_BUILD is win32 or win64" >&2; exit 2 ;;
esac
if [ ! -f $build/build.ninja ]; then
  cmake -S . -B $build -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=$toolchain
fi
cmake --build $build --target bench_wizard -j2

# The sample package again, with the stand-in as its uninstaller. The stand-in
# is larger than the sample's, so the builder warns that the list file's
# progress total is short; only the start of this package is run.
work=$(mktemp -d "${TMPDIR:-/tmp}/bench-wizard.XXXXXX")
trap 'rm -rf "$work"' EXIT
cp -r $build/sample/files "$work/files"
cp $build/fake_uninstaller.exe "$work/files/KSUninst.exe"
mkdir -p $build/bench/uninstaller
build/native/package_builder pack $build/sample/Setup.lst "$work/files" -o $build/bench/uninstaller/_Data.001 \
  --quiet --time 2024-03-01T09:00:00 --attributes 20 --attributes Llegiume.txt=21 --attributes Kestrel.chm=FFFFFFFF

# The pace package: one incompressible 16 MB file, one group item, the link.
pace=$build/bench/pace
mkdir -p "$pace" "$work/pace" "$work/pace-list"
cp $build/sample/files/AppLogo.bmp $build/sample/files/KSUninst.exe "$work/pace/"
head -c $((16 << 20)) /dev/urandom > "$work/pace/Dades.bin"
total=$(( $(stat -c %s "$work/pace/AppLogo.bmp") + $(stat -c %s "$work/pace/KSUninst.exe") + (16 << 20) + 3 * 28 ))
printf '%s\r\n' 'Tipus=1' 'Titol=Kestrel Pace' 'Producte=Kestrel Pace' 'Versio=1.0' 'Carpeta=Kestrel Pace' \
  'Sistema=0' 'Reservat=' 'Benvinguda=Prova' 'Idioma=Catala' 'Clau=KestrelPace' "Total=$total" 'Fitxers=1' \
  "Fitxer=<AppDir>,Dades.bin,$((16 << 20)),,,1,1,0" 'Registre=0' 'Grup=1' 'G=Dades,Dades.bin' 'Associacions=0' \
  'Drecera=<AppDir>\Dades.bin' 'Missatge=' 'Desinstal=Kestrel Pace' > "$work/pace-list/Setup.lst"
build/native/package_builder pack "$work/pace-list/Setup.lst" "$work/pace" -o "$pace/_Data.001" --quiet

echo "== $build/bench_wizard.exe"
tests/run-under-wine.sh $build/bench_wizard.exe "${1:-5}"
