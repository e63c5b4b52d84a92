#!/bin/bash
# Runs a command in the emulated i386 machine, in the checkout shared as its
# /io, and exits with the command's exit code. Its output, and the machine's
# console, show as they come. The disk image never changes: each run starts
# from the same state.
#   tests/vm/run.sh COMMAND...
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
dir=${VM_DIR:-$(bash "$root/tests/vm/image.sh")}
disk=${VM_DISK:-$dir/disk.img}
mkdir -p "$root/build/vm"
[ $# -eq 0 ] || printf 'export WINEPREFIX=/root/.wine   # made with the image\n%s\n' "$*" > "$root/build/vm/job"
rm -f "$root/build/vm/rc" "$root/build/vm/console"
touch "$root/build/vm/console"
(tail -n +1 -f --pid=$$ "$root/build/vm/console" | grep --line-buffered -v '^\[ *[0-9.]*\] ') &
# No KVM here: all in software. Without SMAP off, QEMU's "max" CPU breaks Wine. In the foreground, so that Ctrl-C
# stops the machine too: timeout alone would keep it in a process group of its own.
timeout --foreground "${VM_TIMEOUT:-1200}" qemu-system-i386 -machine pc,accel=tcg -cpu max,-smap -smp 2 -m 2048 \
    -nodefaults -display none -no-reboot -serial "file:$root/build/vm/console" \
    -kernel "$dir/kernel" -initrd "$dir/initrd" -append "console=ttyS0 quiet panic=-1" \
    $([ -n "${VM_DISK:-}" ] || echo -snapshot) -drive "file=$disk,format=raw,if=virtio,cache=unsafe" \
    -virtfs "local,path=$root,mount_tag=io,security_model=none" ||
    { echo "vm: the machine stopped with status $? (124: out of time, after ${VM_TIMEOUT:-1200} s)" >&2; exit 1; }
sleep 1
[ -f "$root/build/vm/rc" ] || { echo "vm: the machine stopped before the command ended" >&2; exit 1; }
exit "$(cat "$root/build/vm/rc")"
