#!/usr/bin/env bash
# The memory that large files cost: the package builder's peak resident
# memory while it packs one file of 1 MB, 100 MB, 1 GB and 3,500 MiB, then
# the wizard's peak while it unpacks each of those packages up to its
# welcome page, on each Windows build (BENCH_BUILDS narrows the list). The
# files repeat a text line, so the packages stay small; about 8 GB of disk
# is used for a while.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/build.sh >/dev/null
work=$(mktemp -d "${TMPDIR:-/tmp}/bench-memory.XXXXXX")
trap 'rm -rf "$work"' EXIT
sizes="1MB:1000000 100MB:100000000 1GB:1000000000 3500MiB:$((3500 << 20))"

echo "== package_builder pack (native), peak resident memory"
for entry in $sizes; do
  label=${entry%%:*} size=${entry#*:}
  files=$work/$label/files
  mkdir -p "$files"
  cp build/win32/sample/files/AppLogo.bmp build/win32/sample/files/KSUninst.exe "$files/"
  yes 'Kestrel 1.0 - dades de prova 0123456789' | head -c "$size" > "$files/Dades.bin" || true
  total=$(( $(stat -c %s "$files/AppLogo.bmp") + $(stat -c %s "$files/KSUninst.exe") + size + 3 * 28 ))
  printf '%s\r\n' 'Tipus=1' 'Titol=Kestrel Gran' 'Producte=Kestrel Gran' 'Versio=1.0' 'Carpeta=Kestrel Gran' \
    'Sistema=0' 'Reservat=' 'Benvinguda=Prova' 'Idioma=Catala' 'Clau=KestrelGran' "Total=$total" 'Fitxers=1' \
    "Fitxer=<AppDir>,Dades.bin,$size,,,1,1,0" 'Registre=0' 'Grup=0' 'Associacions=0' 'Drecera=' 'Missatge=' \
    'Desinstal=Kestrel Gran' > "$work/$label/Setup.lst"
  for build in ${BENCH_BUILDS:-win64 win32}; do mkdir -p "build/$build/bench/memory/$label"; done
  package=build/win32/bench/memory/$label/_Data.001
  peak=$( { /usr/bin/time -f '%M' build/native/package_builder pack "$work/$label/Setup.lst" "$files" \
            -o "$package" --quiet; } 2>&1 | tail -1)
  awk -v label="$label" -v kib="$peak" -v bytes="$(stat -c %s "$package")" \
    'BEGIN { printf "pack %-8s %8.1f MB peak, package %d bytes\n", label, kib / 1024, bytes }'
  for build in ${BENCH_BUILDS:-win64 win32}; do
    [ "$build" = win32 ] || cp "$package" "build/$build/bench/memory/$label/_Data.001"
  done
  rm -f "$files/Dades.bin"
done

for build in ${BENCH_BUILDS:-win64 win32}; do
  echo "== unpacking with build/$build/Instal.exe"
  cmake --build build/$build --target bench_wizard -j2 >/dev/null
  tests/run-under-wine.sh build/$build/bench_wizard.exe memory \
    'bench\memory\1MB\_Data.001' 'bench\memory\100MB\_Data.001' 'bench\memory\1GB\_Data.001' \
    'bench\memory\3500MiB\_Data.001' 2>&1 | tr -d '\r' | grep -E '^(peak|  \()'
done
