#!/usr/bin/env bash
# Runs commands on a Debian machine that runs 32-bit programs, for machines
# whose own kernel cannot: a virtual machine under QEMU's software emulation
# (about ten times slower than the host). The machine is made once with
# debootstrap into build/vm32/ and keeps what it installs.
#
#   scripts/vm32.sh COMMAND...
#
# COMMAND runs as root in /work/main, a copy of this repository (sources,
# .cache and the win32, win64 and dist-test builds, without object files)
# taken at each boot; it gets /share (build/vm32/share here) for what it
# leaves behind. Its output goes to build/vm32/share/out.log, and the
# machine powers off when it ends. Example:
#   scripts/vm32.sh 'bash scripts/setup.sh && cd build/win32 &&
#                    ../../scripts/with-xvfb.sh ctest -R designer_shell_tests'
# ZARNET_VM_MEMORY (default 8G) and ZARNET_VM_CPUS (default 2) size it.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
VM="$ROOT/build/vm32"
[ $# -gt 0 ] || { sed -n '2,16p' "$0"; exit 2; }
SUDO=""
[ "$(id -u)" = 0 ] || SUDO=sudo

command -v qemu-system-x86_64 >/dev/null && command -v debootstrap >/dev/null &&
  command -v mkfs.ext4 >/dev/null ||
  $SUDO apt-get install -y -q --no-install-recommends qemu-system-x86 debootstrap e2fsprogs

if [ ! -f "$VM/disk.img" ]; then
  echo "vm32: making the machine in $VM" >&2
  root="$VM/root"
  rm -rf "$root" && mkdir -p "$root"
  $SUDO debootstrap --variant=minbase \
    --include=linux-image-amd64,initramfs-tools,systemd-sysv,udev,iproute2,ca-certificates,git,procps,kmod \
    bookworm "$root" http://deb.debian.org/debian
  # The main suite alone: its amd64 and i386 halves always match.
  echo "deb http://deb.debian.org/debian bookworm main" >"$root/etc/apt/sources.list"
  echo "nameserver 10.0.2.3" >"$root/etc/resolv.conf"
  echo zvm >"$root/etc/hostname"
  printf '127.0.0.1 localhost zvm\n' >"$root/etc/hosts"
  printf '/dev/vda / ext4 defaults 0 1\n' >"$root/etc/fstab"
  mkdir -p "$root/etc/systemd/network"
  printf '[Match]\nName=e*\n[Network]\nAddress=10.0.2.15/24\nGateway=10.0.2.2\nDNS=10.0.2.3\n' \
    >"$root/etc/systemd/network/10-eth.network"
  wants="$root/etc/systemd/system/multi-user.target.wants"
  ln -sf /lib/systemd/system/systemd-networkd.service "$wants/systemd-networkd.service"
  cat >"$root/etc/systemd/system/zvm.service" <<'UNIT'
[Unit]
Description=Run the command the host left in /share
After=systemd-networkd.service
[Service]
Type=oneshot
ExecStart=/usr/local/bin/zvm-run
StandardOutput=tty
TTYPath=/dev/ttyS0
[Install]
WantedBy=multi-user.target
UNIT
  ln -sf /etc/systemd/system/zvm.service "$wants/zvm.service"
  cat >"$root/usr/local/bin/zvm-run" <<'RUN'
#!/bin/bash
mkdir -p /share /host
mount -t 9p -o trans=virtio,version=9p2000.L,msize=262144 share /share
mount -t 9p -o trans=virtio,version=9p2000.L,msize=262144,ro host /host
rm -rf /work/main && mkdir -p /work/main/build
cd /host && tar --exclude=./build --exclude=./dist -cf - . | tar -C /work/main -xf -
for c in win32 win64 dist-test; do
  [ -d "/host/build/$c" ] || continue
  (cd /host/build && tar --exclude='*.obj' --exclude='*.a' --exclude=wineprefix -cf - "$c") |
    tar -C /work/main/build -xf -
done
cd /work/main && bash /share/command.sh >/share/out.log 2>&1
echo "vm32: exit code $?" >>/share/out.log
sync
systemctl poweroff
RUN
  chmod +x "$root/usr/local/bin/zvm-run"
  truncate -s 80G "$VM/disk.img.new"
  mkfs.ext4 -q -F -d "$root" "$VM/disk.img.new"
  mv "$VM/disk.img.new" "$VM/disk.img"
fi

mkdir -p "$VM/share"
printf '%s\n' "$*" >"$VM/share/command.sh"
rm -f "$VM/share/out.log"
kernel="$(ls "$VM"/root/boot/vmlinuz-* | tail -1)"
initrd="$(ls "$VM"/root/boot/initrd.img-* | tail -1)"
# Wine's programs crash the guest kernel under emulation with -cpu max;
# qemu64 runs them.
accel=(-accel tcg,thread=multi -cpu qemu64)
echo "vm32: running; output in $VM/share/out.log" >&2
qemu-system-x86_64 "${accel[@]}" -m "${ZARNET_VM_MEMORY:-8G}" -smp "${ZARNET_VM_CPUS:-2}" \
  -kernel "$kernel" -initrd "$initrd" -append "root=/dev/vda rw console=ttyS0" \
  -drive "file=$VM/disk.img,format=raw,if=virtio,cache=unsafe" \
  -virtfs "local,path=$VM/share,mount_tag=share,security_model=none" \
  -virtfs "local,path=$ROOT,mount_tag=host,security_model=none,readonly=on" \
  -netdev user,id=n0 -device virtio-net-pci,netdev=n0 \
  -nographic -serial "file:$VM/console.log" -monitor none
tail -1 "$VM/share/out.log"
grep -q "vm32: exit code 0" "$VM/share/out.log"
