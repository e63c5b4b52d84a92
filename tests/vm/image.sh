#!/bin/bash
# Makes, once, the emulated i386 Debian 12 machine in which the shipped 32-bit
# program runs under Debian's 32-bit Wine (this host's kernel cannot run
# 32-bit code). Prints the folder holding kernel, initrd and disk image.
# Cached outside the checkout, under a name that changes with this file.
# Needs no root: its files are made under fakeroot, which keeps the owners
# and device nodes that mkfs.ext4 writes into the disk image.
set -Eeuo pipefail
PATH=$PATH:/usr/sbin:/sbin   # debootstrap and mkfs.ext4, off a normal user's PATH
CACHE=${ZORBEL_VM_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/zorbel-vm}
here=$(cd "$(dirname "$0")" && pwd)
dir=$CACHE/image-$(sha256sum "$0" | cut -c1-12)
PACKAGES=linux-image-686,busybox-static,python3,wine,wine32,libcups2,libdbus-1-3,libgnutls30,libfreetype6,fontconfig,\
libxcomposite1,libxcursor1,libxfixes3,libxi6,libxinerama1,libxrandr2,libxrender1,libxxf86vm1,fonts-liberation,\
fonts-dejavu-core,xvfb,xauth,xdotool,x11-utils,imagemagick,cups,cups-client,printer-driver-cups-pdf,poppler-utils
# What the kernel needs to reach the disk and the shared folder, each after those it depends on.
MODULES="virtio virtio_ring virtio_pci_modern_dev virtio_pci_legacy_dev virtio_pci virtio_blk crc16 mbcache jbd2
crc32c_generic ext4 netfs fscache 9pnet 9pnet_virtio 9p"
say() { echo "vm: [$((SECONDS / 60))m$((SECONDS % 60))s] $*" >&2; }
trap 'say "stopped: line $LINENO ended with status $? ($BASH_COMMAND)"' ERR
root=$dir/root

make_disk() {   # under fakeroot
    mirror=$(. "$here/../../tools/packages.sh" && apt_mirror)
    say "downloading the machine's packages from $mirror:"
    debootstrap --foreign --cache-dir="$CACHE/debs" --arch=i386 --variant=minbase --include="$PACKAGES" \
        bookworm "$root" "$mirror" 2>&1 | awk '/^[WE]:/ || NR % 60 == 0 { print "vm:   " $0; fflush() }' >&2
    # Unpacking here instead of in the machine saves ten minutes of emulated
    # dpkg; the few things package scripts would have done follow.
    say "unpacking $(ls "$root"/var/cache/apt/archives/*.deb | wc -l) packages"
    for deb in "$root"/var/cache/apt/archives/*.deb; do
        dpkg-deb --fsys-tarfile "$deb" | tar -x -C "$root" --keep-directory-symlink
    done
    rm -rf "$root"/var/cache/apt/archives/*.deb "$root/proc" "$root/debootstrap"
    mkdir -p "$root/proc" "$root/io"
    cp "$root/usr/share/base-passwd/passwd.master" "$root/etc/passwd"
    cp "$root/usr/share/base-passwd/group.master" "$root/etc/group"
    echo "lpadmin:x:120:root" >> "$root/etc/group"
    echo "127.0.0.1 localhost" > "$root/etc/hosts"
    for target in "$root"/usr/bin/*-stable "$root"/usr/bin/*-im6.q16; do   # Wine's and ImageMagick's commands
        name=${target##*/} && name=${name%-stable} && name=${name%-im6.q16}
        [ -e "$root/usr/bin/$name" ] || ln -s "${target##*/}" "$root/usr/bin/$name"
    done
    zlib=$root/usr/i686-w64-mingw32/lib/zlib1.dll   # Wine takes it as one of its own, marked so
    { head -c 64 "$zlib"; printf 'Wine builtin DLL'; head -c 16 /dev/zero; tail -c +97 "$zlib"; } \
        > "$root/usr/lib/i386-linux-gnu/wine/i386-windows/zlib1.dll"
    cat > "$root/sbin/zorbel-init" <<'EOF'
#!/bin/sh
# The machine's first process: mounts, runs the job the host left in the
# shared folder, records its exit code, powers off.
export PATH=/usr/sbin:/usr/bin HOME=/root LANG=C.UTF-8
mount -t proc proc /proc; mount -t sysfs sys /sys; mount -t devtmpfs dev /dev
mkdir -p /dev/pts /dev/shm; mount -t devpts devpts /dev/pts; mount -t tmpfs tmp /dev/shm
mount -t tmpfs run /run; mount -t tmpfs tmp /tmp
mount -t 9p -o trans=virtio,version=9p2000.L,msize=524288 io /io
busybox ip link set lo up
hostname guest
(cd /io && sh build/vm/job) >/dev/console 2>&1
echo $? > /io/build/vm/rc
sync; echo o > /proc/sysrq-trigger; sleep 9
EOF
    chmod 755 "$root/sbin/zorbel-init"

    say "kernel and initrd"
    cp "$root"/boot/vmlinuz-* "$dir/kernel"
    initrd=$dir/initrd.d
    mkdir -p "$initrd/bin" "$initrd/dev" "$initrd/root"
    cp "$root/usr/bin/busybox" "$initrd/bin/"
    for m in $MODULES; do cp "$(find "$root"/usr/lib/modules -name "$m.ko")" "$initrd/"; done
    cat > "$initrd/init" <<EOF
#!/bin/busybox sh
/bin/busybox mount -t devtmpfs dev /dev
for m in $(echo $MODULES); do /bin/busybox insmod /\$m.ko; done
/bin/busybox mount -t ext4 /dev/vda /root || /bin/busybox sh
exec /bin/busybox switch_root /root /sbin/zorbel-init
EOF
    chmod 755 "$initrd/init"
    (cd "$initrd" && find . | cpio -o -H newc --quiet | gzip -1) > "$dir/initrd"
    rm -rf "$initrd"

    say "disk image"
    mkfs.ext4 -q -F -d "$root" -L zorbel "$dir/disk.img.new" 3G
    chmod -R u+rwX "$root" && rm -rf "$root"   # the real files are a normal user's, some read-only
}
[ "${1:-}" != --disk ] || { make_disk; exit; }
[ -f "$dir/disk.img" ] && { echo "$dir"; exit 0; }

rm -rf "$CACHE"/image-* && mkdir -p "$dir" "$CACHE/debs"   # one image at a time; the packages stay
say "making the i386 machine in $CACHE (once; 3 to 7 minutes)"
fakeroot -- bash "$0" --disk >&2 || exit 1   # its output is no folder name
# First start: library cache, font cache and a Wine prefix, kept in the
# image so that each test run starts from them (the tests bring a CUPS).
mkdir -p "$here/../../build/vm"
cat > "$here/../../build/vm/job" <<'EOF'
set -e
trap 's=$?; [ $s -eq 0 ] || echo "vm: in the machine: stopped, status $s, in the step named last above"' EXIT
echo "vm: in the machine: library and font caches"
ldconfig
fc-cache -s
echo "vm: in the machine: a Wine prefix (the longest step)"
(while sleep 30; do echo "vm:   still making the Wine prefix"; done) &
WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml= wineboot -i
wineserver -w
kill $!
EOF
say "first start of the machine: Wine prefix (1 to 4 minutes)"
VM_DIR=$dir VM_DISK=$dir/disk.img.new bash "$here/run.sh" || { say "the first start failed"; exit 1; }
mv "$dir/disk.img.new" "$dir/disk.img"
say "ready; $(du -sh "$CACHE" | cut -f1) in $CACHE (remove that folder to make it anew)"
echo "$dir"
