#!/usr/bin/env bash
# Installs what the build and the tests need on a Debian 12 machine. Safe to
# run again: it asks apt only for what is missing, and adds the i386
# architecture (for the 32-bit Wine that runs the release build) only once.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev python3 zlib1g-dev
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix libz-mingw-w64-dev
  wine64 wine32:i386 qemu-user xvfb xauth googletest imagemagick python3-fonttools fonts-dejavu-core fonts-wine x11-utils time
  libdeflate-dev pigz
)

sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)

need_update=
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  echo "Adding the i386 architecture"
  "${sudo_cmd[@]}" dpkg --add-architecture i386
  need_update=1
fi

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done

if [ ${#missing[@]} -gt 0 ] || [ -n "$need_update" ]; then
  "${sudo_cmd[@]}" apt-get update
fi
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
fi
