#!/usr/bin/env bash
# Runs a Windows test program with drive D: of its Wine prefix on a 1 MB
# tmpfs, so that writes there really fail for lack of space. Mounting needs
# root; without it the tests that need the drive skip themselves and say why.
set -u
here=$(cd "$(dirname "$0")" && pwd)
drive=$(mktemp -d "${TMPDIR:-/tmp}/instal-drive.XXXXXX")
mounted=
if [ "$(id -u)" -eq 0 ] && mount -t tmpfs -o size=1m tmpfs "$drive"; then
  mounted=1
  export INSTAL_SMALL_DRIVE="$drive"
fi
"$here/run-under-wine.sh" "$@"
status=$?
[ -n "$mounted" ] && umount "$drive"
rmdir "$drive"
exit $status
