#!/bin/bash
# The test VM: Debian's own kernel, booted by qemu's system emulator with this
# machine's root file system shared into it over virtio 9p, so that what this
# machine's kernel refuses (32-bit programs) runs on the same checkout, the
# same installed Wine and the same build folders. No network inside.
#
#   tools/vm/vm.sh prepare          fetch the kernel and make the initramfs
#   tools/vm/vm.sh run DIR CMD...   run CMD in DIR inside the VM, as root, with
#                                   its output here; exit with its status
#
# The kernel is the one Debian's linux-image-amd64 depends on, downloaded as a
# package and unpacked into the cache, never installed: nothing in /boot
# changes. The cache (build/vm, or $CHX_VM_CACHE) is made on first use and
# again only when its inputs change. Needs the packages of the vm group of
# tools/packages.txt.
# CHX_VM_TIMEOUT (seconds, default 3600) bounds a run; CHX_VM_QEMU names
# another emulator binary and CHX_VM_BUSYBOX another static busybox.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
cache=${CHX_VM_CACHE:-$root/build/vm}
busybox=${CHX_VM_BUSYBOX:-/bin/busybox}

# Why the VM could not run a job, also left in $CHX_VM_FAILURE_FILE when set,
# so that a summary can tell a machine that failed from a job that did.
die() {
    printf 'vm: %s\n' "$*" >&2
    if [ -n "${CHX_VM_FAILURE_FILE:-}" ]; then
        printf 'the VM did not run: %s\n' "$*" >"$CHX_VM_FAILURE_FILE"
    fi
    exit 1
}
warn() { printf 'vm: warning: %s\n' "$*" >&2; }

# shellcheck source=tools/apt.sh
. "$root/tools/apt.sh"
# shellcheck source=tools/packages.sh
. "$root/tools/packages.sh"

# The modules that mount the host's disk (Debian's kernel has virtio's PCI
# transport and 9p as modules), each after those it depends on: the init
# script loads them in this order.
MODULES=(virtio_ring virtio virtio_pci_legacy_dev virtio_pci_modern_dev virtio_pci
    netfs fscache 9pnet 9pnet_virtio 9p)

kernel_package() {
    local pkg
    pkg=$(apt-cache depends linux-image-amd64 2>/dev/null | sed -n 's/^ *Depends: \(linux-image-.*\)$/\1/p' | head -1)
    if [ -z "$pkg" ]; then
        # shellcheck disable=SC2119 # run as this user: no prefix command
        apt_update || die "cannot find Debian's kernel package: apt-cache names none and apt-get update failed ($APT_ERROR); check the network and /etc/apt/sources.list*"
        pkg=$(apt-cache depends linux-image-amd64 2>/dev/null | sed -n 's/^ *Depends: \(linux-image-.*\)$/\1/p' | head -1)
    fi
    [ -n "$pkg" ] || die "cannot find Debian's kernel package (apt-cache depends linux-image-amd64 names none)"
    printf '%s\n' "$pkg"
}

# What the cache is made of: a change to any of these makes it again.
inputs_key() {
    local pkg=$1
    {
        printf '%s %s\n' "$pkg" "$(apt-cache policy "$pkg" | sed -n 's/^ *Candidate: //p')"
        sha256sum "$here/init" "$here/vm.sh" "$busybox"
    } | sha256sum | cut -d' ' -f1
}

cmd_prepare() {
    require_provided qemu-system-x86_64
    require_provided "$busybox"
    local pkg key
    pkg=$(kernel_package)
    key=$(inputs_key "$pkg")
    if [ -f "$cache/key" ] && [ "$(cat "$cache/key")" = "$key" ] &&
        [ -f "$cache/vmlinuz" ] && [ -f "$cache/initramfs.gz" ]; then
        return 0
    fi
    printf '== making the test VM in %s (kernel %s)\n' "$cache" "$pkg" >&2
    rm -rf "$cache/kernel" "$cache/initramfs"
    mkdir -p "$cache/kernel"
    # apt-get download writes to the current folder, as the _apt user where it can.
    local log
    log=$(mktemp)
    if ! (cd "$cache/kernel" && chmod 777 . && apt_retry "$log" apt-get download "$pkg"); then
        local said
        said=$(grep '^E: ' "$log" | tail -1) || true
        rm -f "$log"
        die "cannot download $pkg after $APT_ATTEMPTS tries${said:+ ($said)}; check the network and the mirror, or try again later"
    fi
    rm -f "$log"
    dpkg-deb -x "$cache"/kernel/"$pkg"_*.deb "$cache/kernel/tree"
    local release
    release=$(ls "$cache/kernel/tree/lib/modules")
    cp "$cache/kernel/tree/boot/vmlinuz-$release" "$cache/vmlinuz"

    local tree=$cache/initramfs m ko
    mkdir -p "$tree/bin" "$tree/modules"
    cp "$busybox" "$tree/bin/busybox"
    ln -s busybox "$tree/bin/sh"
    install -m 755 "$here/init" "$tree/init"
    for m in "${MODULES[@]}"; do
        ko=$(find "$cache/kernel/tree/lib/modules/$release" -name "$m.ko" | head -1)
        [ -n "$ko" ] || die "the kernel $release has no module $m.ko"
        cp "$ko" "$tree/modules/"
        printf '%s\n' "$m" >>"$tree/modules/order"
    done
    # Fixed times and order: the same inputs give the same image.
    find "$tree" -exec touch -h -d @0 {} +
    (cd "$tree" && find . | LC_ALL=C sort | "$busybox" cpio -o -H newc 2>/dev/null) |
        gzip -n -9 >"$cache/initramfs.gz"
    rm -rf "$cache/kernel/tree" "$cache/kernel"/*.deb "$tree"
    printf '%s\n' "$key" >"$cache/key"
}

# The VM's size: every core, and 6 GB or half of this machine's memory.
vm_memory_mb() {
    local total
    total=$(awk '/^MemTotal:/ { print int($2 / 1024) }' /proc/meminfo)
    local half=$((total / 2))
    [ "$half" -lt 6144 ] && printf '%s\n' "$half" || printf '6144\n'
}

cmd_run() {
    [ $# -ge 2 ] || die "usage: vm.sh run DIR CMD [ARGS...]"
    local dir=$1
    shift
    dir=$(cd "$dir" && pwd)
    cmd_prepare
    mkdir -p "$cache/jobs"
    local job
    job=$(mktemp "$cache/jobs/job.XXXXXX")
    {
        # The VM's init gives the job HOME=/root: the user's cache folder
        # (the kept Wine prefixes) is named as it is here.
        printf 'export XDG_CACHE_HOME=%q\n' "${XDG_CACHE_HOME:-$HOME/.cache}"
        printf 'cd %q || exit 125\n' "$dir"
        printf 'exec'
        printf ' %q' "$@"
        printf '\n'
    } >"$job"
    rm -f "$job.status"
    local status=0
    # No KVM on the machines this serves: software emulation on every core.
    # "-cpu max" gets 32-bit Wine processes killed as they start; a named
    # older model does not. The serial line is the console; standard input
    # is never read, as under CI.
    timeout "${CHX_VM_TIMEOUT:-3600}" "${CHX_VM_QEMU:-qemu-system-x86_64}" \
        -machine q35 -accel tcg,thread=multi -cpu Nehalem -smp "$(nproc)" -m "$(vm_memory_mb)" \
        -nodefaults -no-user-config -display none -monitor none -serial stdio -nic none -no-reboot \
        -kernel "$cache/vmlinuz" -initrd "$cache/initramfs.gz" \
        -append "console=ttyS0 quiet loglevel=1 panic=-1 mitigations=off chx.job=$job" \
        -virtfs local,path=/,mount_tag=hostroot,security_model=passthrough,multidevs=remap \
        </dev/null || status=$?
    if [ ! -f "$job.status" ]; then
        rm -f "$job"
        [ $status -eq 124 ] && die "the VM did not finish within ${CHX_VM_TIMEOUT:-3600} s"
        die "the VM stopped before its job finished (qemu exit $status)"
    fi
    status=$(cat "$job.status")
    rm -f "$job" "$job.status"
    return "$status"
}

case "${1:-}" in
prepare) cmd_prepare ;;
run)
    shift
    cmd_run "$@"
    ;;
*)
    echo "usage: tools/vm/vm.sh prepare | run DIR CMD [ARGS...]" >&2
    exit 2
    ;;
esac
