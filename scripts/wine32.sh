# Sourced by the test script and the main job: whether this machine can run
# the 32-bit Wine that the i686 release build needs, and the opt-in
# emulation of 32-bit programs for a kernel that cannot run them.

wine32_loader=/usr/lib/wine/wine
binfmt_dir=/proc/sys/fs/binfmt_misc
# The entry this script registers, and the ELF header fields that make a
# program an i386 one (class 32-bit, little-endian, executable or shared
# object, machine 3); the kernel reads the \x escapes itself.
emulation_entry=instal-i386
i386_magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
i386_mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'

wine32_sudo=()
[ "$(id -u)" -ne 0 ] && wine32_sudo=(sudo)

# Whether the kernel (or a binfmt_misc entry) runs an i386 program: a
# 96-byte one that only exits with status 7, so that nothing but running
# it gives that status. It is written into the build folder, as the temp
# folder may forbid executing anything.
wine32_probe_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build
kernel_runs_i386() {
  local probe status
  mkdir -p "$wine32_probe_dir" &&
    probe=$(mktemp "$wine32_probe_dir/.i386-probe.XXXXXX") || return 1
  printf '\x7f\x45\x4c\x46\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08\x60\x00\x00\x00\x60\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00\xb8\x01\x00\x00\x00\xbb\x07\x00\x00\x00\xcd\x80' >"$probe"
  chmod +x "$probe"
  "$probe" 2>/dev/null
  status=$?
  rm -f "$probe"
  [ "$status" -eq 7 ]
}

# Prints why the i686 build's programs cannot run here, or nothing when they
# can. The runs start the loader through qemu-i386, but Wine executes its
# 32-bit loader again by itself for its helpers and child processes: the
# check executes it directly, as Wine will.
wine32_problem() {
  local output status
  if [ ! -x "$wine32_loader" ]; then
    if kernel_runs_i386; then
      echo "the 32-bit Wine is not installed (package wine32:i386)"
    else
      echo "the 32-bit Wine is not installed (package wine32:i386), and the kernel cannot run 32-bit programs"
    fi
    return
  fi
  output=$("$wine32_loader" --version 2>&1)
  status=$?
  [ "$status" -eq 0 ] && return
  # 126: the shell could not execute it at all.
  if [ "$status" -eq 126 ] && ! kernel_runs_i386; then
    echo "the kernel cannot run 32-bit programs"
  else
    echo "the 32-bit Wine loader fails: $wine32_loader --version said: $(head -n 1 <<<"$output")"
  fi
}

# INSTAL_EMULATE_I386=1: qemu-i386 becomes the interpreter of i386 programs
# for the whole machine, through binfmt_misc, until i386_emulation_stop.
# Nothing is registered when the kernel already runs them.
emulation_registered=
binfmt_mounted=
i386_emulation_start() {
  if kernel_runs_i386; then
    echo "INSTAL_EMULATE_I386: the kernel already runs 32-bit programs; no emulation registered"
    return 0
  fi
  if [ ! -e "$binfmt_dir/register" ]; then
    "${wine32_sudo[@]}" mount -t binfmt_misc binfmt_misc "$binfmt_dir" || return 1
    binfmt_mounted=1
  fi
  # Written with the escapes as they are: the kernel decodes them.
  printf '%s\n' ":$emulation_entry:M::$i386_magic:$i386_mask:$(command -v qemu-i386):" |
    "${wine32_sudo[@]}" tee "$binfmt_dir/register" >/dev/null || return 1
  emulation_registered=1
  if ! kernel_runs_i386; then
    echo "INSTAL_EMULATE_I386: qemu-i386 was registered, but an i386 program still does not run" >&2
    return 1
  fi
  echo "INSTAL_EMULATE_I386: 32-bit programs run under qemu-i386 until the end of this script"
}

i386_emulation_stop() {
  if [ -n "$emulation_registered" ]; then
    echo -1 | "${wine32_sudo[@]}" tee "$binfmt_dir/$emulation_entry" >/dev/null &&
      echo "INSTAL_EMULATE_I386: qemu-i386 unregistered"
    emulation_registered=
  fi
  if [ -n "$binfmt_mounted" ]; then
    "${wine32_sudo[@]}" umount "$binfmt_dir"
    binfmt_mounted=
  fi
}
