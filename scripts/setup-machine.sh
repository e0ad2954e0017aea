#!/usr/bin/env bash
# Installs what the build and the tests need on a Debian 12 machine. Safe to
# run again: it asks apt only for what is missing, and adds the i386
# architecture (for the 32-bit Wine that runs the release build) only once.
set -uo pipefail

packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev python3 zlib1g-dev
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix libz-mingw-w64-dev
  wine64 qemu-user xvfb xauth googletest imagemagick python3-fonttools fonts-dejavu-core fonts-wine x11-utils time
  libdeflate-dev pigz
)

# The 32-bit Wine runs only the i686 build's tests and the main job's demo:
# when apt cannot install it (its i386 libraries must match the versions of
# the machine's own, and one missing index breaks that), the rest still
# installs, and the test script says that the i686 build went untested.
packages_32bit=(wine32:i386)

sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)

need_update=
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  echo "Adding the i386 architecture"
  "${sudo_cmd[@]}" dpkg --add-architecture i386
  need_update=1
fi

missing_from() {
  local package
  for package in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
      echo "$package"
    fi
  done
}
mapfile -t missing < <(missing_from "${packages[@]}")
mapfile -t missing_32bit < <(missing_from "${packages_32bit[@]}")

# One index that fails (a mirror in the middle of a sync) need not stop the
# install: the other indexes still name what is wanted. The update is tried a
# few times, and the install goes on whatever it said.
update_indexes() {
  local try
  for try in 1 2 3; do
    "${sudo_cmd[@]}" apt-get update && return 0
    echo "setup-machine: apt-get update failed (try $try of 3)" >&2
    [ "$try" -lt 3 ] && sleep "$((try * 5))"
  done
  echo "setup-machine: going on with the indexes apt has" >&2
}

# Installs the packages named; on failure prints apt's reason and the list.
install_packages() {
  local log status
  echo "Installing: $*"
  log=$(mktemp)
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y --no-install-recommends "$@" >"$log" 2>&1
  status=$?
  if [ "$status" -ne 0 ]; then
    grep -E '^(E:|W:| [^ ].* : Depends)' "$log" >&2
    echo "setup-machine: apt-get could not install: $*" >&2
  fi
  rm -f "$log"
  return "$status"
}

if [ ${#missing[@]} -gt 0 ] || [ ${#missing_32bit[@]} -gt 0 ] || [ -n "$need_update" ]; then
  update_indexes
fi
if [ ${#missing[@]} -gt 0 ]; then
  install_packages "${missing[@]}" || exit 1
fi
if [ ${#missing_32bit[@]} -gt 0 ]; then
  install_packages "${missing_32bit[@]}" ||
    echo "setup-machine: going on without the 32-bit Wine; the i686 build cannot be run here" >&2
fi
