#!/usr/bin/env bash
# Boots Debian 12's own kernel under QEMU (software emulation) with a small initramfs: busybox,
# the HID modules and the static test program. The program runs twice: with the plain HID stack,
# and again after usbhid has been loaded with the dongle's output-report quirk.
#   run-vm-tests.sh TEST_PROGRAM WORK_FOLDER
set -euo pipefail

test_program=$1
work=$2
cache=${SONVIK_VM_CACHE:-$work/cache}
mkdir -p "$work" "$cache"

if ! command -v qemu-system-x86_64 >/dev/null; then
    echo "qemu-system-x86_64 is missing: install qemu-system-x86 (./scripts/test does)" >&2
    exit 1
fi

# The kernel and busybox are unpacked from their packages into the cache, not installed.
fetch() {
    local package=$1
    if ! compgen -G "$cache/${package}_*.deb" >/dev/null; then
        (cd "$cache" && apt-get download -q "$package" 2>&1 | grep -v 'unsandboxed' >&2 || true)
    fi
    compgen -G "$cache/${package}_*.deb" | head -n 1
}
kernel_for_meta() {
    apt-cache depends linux-image-amd64 2>/dev/null |
        sed -n 's/ *Depends: \(linux-image-[0-9].*\)/\1/p' | head -n 1
}
kernel_package=$(kernel_for_meta)
if [ -z "$kernel_package" ] && [ "$(id -u)" -eq 0 ]; then
    apt-get update -q >&2 && kernel_package=$(kernel_for_meta)
fi
if [ -z "$kernel_package" ]; then
    echo "cannot tell which kernel linux-image-amd64 stands for (run apt-get update)" >&2
    exit 1
fi
kernel_deb=$(fetch "$kernel_package")
busybox_deb=$(fetch busybox-static)

unpacked=$cache/unpacked
if [ ! -e "$unpacked/.$kernel_package" ]; then
    rm -rf "$unpacked" && mkdir -p "$unpacked"
    dpkg-deb -x "$kernel_deb" "$unpacked"
    dpkg-deb -x "$busybox_deb" "$unpacked"
    touch "$unpacked/.$kernel_package"
fi
modules=$(echo "$unpacked"/lib/modules/*/kernel)
vmlinuz=$(echo "$unpacked"/boot/vmlinuz-*)

root=$work/initramfs
rm -rf "$root" && mkdir -p "$root/bin" "$root/modules"
cp "$unpacked/bin/busybox" "$root/bin/busybox"
cp "$test_program" "$root/sonvik_vm_tests"
for module in drivers/hid/hid.ko drivers/hid/uhid.ko drivers/hid/hid-generic.ko \
              drivers/usb/common/usb-common.ko drivers/usb/core/usbcore.ko \
              drivers/hid/usbhid/usbhid.ko; do
    cp "$modules/$module" "$root/modules/"
done
cat > "$root/init" <<'INIT'
#!/bin/busybox sh
/bin/busybox --install -s /bin
mkdir -p /proc /sys /dev /tmp
mount -t proc proc /proc
mount -t sysfs sysfs /sys
mount -t devtmpfs devtmpfs /dev
for m in hid uhid hid-generic; do insmod /modules/$m.ko; done
/sonvik_vm_tests --gtest_filter=-*Quirk*
echo "SONVIK-VM-RESULT plain $?"
for m in usb-common usbcore; do insmod /modules/$m.ko; done
insmod /modules/usbhid.ko quirks=0x0a12:0x1004:0x40000
/sonvik_vm_tests --gtest_filter=*Quirk*
echo "SONVIK-VM-RESULT quirk $?"
poweroff -f
INIT
chmod +x "$root/init"
(cd "$root" && find . | "$root/bin/busybox" cpio -o -H newc 2>/dev/null | gzip -1) > "$work/initramfs.gz"

log=$work/console.log
start=$(date +%s)
timeout 480 qemu-system-x86_64 -accel tcg -m 512 -smp 1 -nographic -no-reboot \
    -kernel "$vmlinuz" -initrd "$work/initramfs.gz" \
    -append "console=ttyS0 quiet panic=-1" </dev/null >"$log" 2>&1 || true
tr -d '\r' <"$log" | grep -v -E '^\[ *[0-9]+\.[0-9]+\]' || true
echo "(the machine ran for $(( $(date +%s) - start )) s)"
grep -q 'SONVIK-VM-RESULT plain 0' "$log" && grep -q 'SONVIK-VM-RESULT quirk 0' "$log"
