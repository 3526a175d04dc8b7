# shellcheck shell=bash
# Stand-ins for the package tools, busybox, the 32-bit probe and Wine, first
# on PATH, so that the runner's paths can be driven the same way on any
# machine and kernel, without installing anything or running Wine. Each logs
# its call as one line in $STANDIN/calls; what it answers is set by:
#   STANDIN_UPDATE     ok | index (one i386 index of the wrong size) | lock
#   STANDIN_INSTALL    ok | release (only with -t) | no-i386 | never
#   STANDIN_INSTALLED  packages dpkg-query finds installed, or "all"
#   STANDIN_DOWNLOAD   ok (a kernel package with the VM's modules) | never
#   STANDIN_KERNEL     when apt-cache names the kernel: always | after-update
# Sourced; makes $STANDIN and puts its bin folder first on PATH.

# The caller's own settings would choose other paths: each check sets its own.
unset CHX_NO_32BIT CHX_32BIT_VM CHX_32BIT_PROBE CHX_DRY_RUN CHX_VM_CACHE CHX_VM_QEMU \
    CHX_VM_BUSYBOX CHX_VM_FAILURE_FILE CHX_VM_TIMEOUT

STANDIN=$(mktemp -d)
STANDIN_VM_SCRIPT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../tools/vm" && pwd)/vm.sh
trap 'rm -rf "$STANDIN"' EXIT
mkdir "$STANDIN/bin"
PATH="$STANDIN/bin:$PATH"
export STANDIN STANDIN_VM_SCRIPT PATH

standin() {
    {
        echo '#!/bin/sh'
        echo 'echo "${0##*/} $*" >>"$STANDIN/calls"'
        cat
    } >"$STANDIN/bin/$1"
    chmod +x "$STANDIN/bin/$1"
}

standin apt-get <<'SH'
case "$1" in
update)
    touch "$STANDIN/updated"
    case "${STANDIN_UPDATE:-ok}" in
    ok) echo "Hit:1 http://deb.example/debian bookworm InRelease" ;;
    index)
        cat <<'OUT'
Hit:1 http://deb.example/debian bookworm InRelease
Get:4 http://deb.example/debian-security bookworm-security/main i386 Packages [376 kB]
Err:4 http://deb.example/debian-security bookworm-security/main i386 Packages
  File has unexpected size (374820 != 376004). Mirror sync in progress? [IP: 192.0.2.1 80]
  Hashes of expected file:
E: Failed to fetch http://deb.example/debian-security/dists/bookworm-security/main/binary-i386/Packages.xz  File has unexpected size (374820 != 376004). Mirror sync in progress? [IP: 192.0.2.1 80]
E: Some index files failed to download. They have been ignored, or old ones used instead.
OUT
        exit 100
        ;;
    lock)
        echo "E: Could not get lock /var/lib/apt/lists/lock. It is held by process 4242 (apt-get)"
        exit 100
        ;;
    esac
    ;;
install)
    case "${STANDIN_INSTALL:-ok}" in
    ok) ;;
    release)
        case " $* " in
        *" -t "*) ;;
        *)
            echo " wine32:i386 : Depends: libwine:i386 (= 8.0) but it is not going to be installed"
            exit 100
            ;;
        esac
        ;;
    no-i386)
        case " $* " in
        *":i386 "*)
            echo " wine32:i386 : Depends: libwine:i386 (= 8.0) but it is not going to be installed"
            exit 100
            ;;
        esac
        ;;
    never)
        echo " wine32:i386 : Depends: libwine:i386 (= 8.0) but it is not going to be installed"
        echo "E: Unable to correct problems, you have held broken packages."
        exit 100
        ;;
    esac
    ;;
download)
    [ "${STANDIN_DOWNLOAD:-ok}" = ok ] || { echo "E: Failed to fetch http://deb.example/$2.deb  Temporary failure resolving 'deb.example'"; exit 100; }
    # The kernel and the modules the VM's script takes from it.
    release=${2#linux-image-}
    tree=$(mktemp -d)
    mkdir -p "$tree/DEBIAN" "$tree/boot" "$tree/lib/modules/$release/kernel"
    printf 'Package: %s\nVersion: 1\nArchitecture: amd64\nMaintainer: nobody\nDescription: stand-in\n' "$2" >"$tree/DEBIAN/control"
    echo kernel >"$tree/boot/vmlinuz-$release"
    for m in $(sed -n '/^MODULES=(/,/)/p' "$STANDIN_VM_SCRIPT" | tr -d '()' | sed 's/MODULES=//'); do
        echo module >"$tree/lib/modules/$release/kernel/$m.ko"
    done
    dpkg-deb -b "$tree" "${2}_1_amd64.deb" >/dev/null
    rm -rf "$tree"
    ;;
esac
SH

standin apt-cache <<'SH'
[ "$1" = depends ] || exit 0
[ "${STANDIN_KERNEL:-always}" = always ] || [ -e "$STANDIN/updated" ] || exit 0
echo "linux-image-amd64"
echo "  Depends: linux-image-6.1.0-99-amd64"
SH

standin dpkg <<'SH'
case "$1" in
--print-architecture) echo amd64 ;;
--print-foreign-architectures) echo i386 ;;
esac
SH

standin dpkg-query <<'SH'
for package; do :; done
case " ${STANDIN_INSTALLED:-} " in
" all " | *" $package "*) printf 'install ok installed' ;;
*) exit 1 ;;
esac
SH

standin sleep <<'SH'
SH

# A static busybox, as far as the VM's initramfs needs one.
standin busybox <<'SH'
[ "$1" = cpio ] && cat >/dev/null && echo archive
SH

# The kernel's answer to the runner's 32-bit program (CHX_32BIT_PROBE).
standin probe-runs <<'SH'
exit 42
SH
standin probe-refused <<'SH'
echo "cannot execute binary file: Exec format error" >&2
exit 126
SH
standin probe-killed <<'SH'
echo Killed
exit 137
SH

# Wine's loader making a prefix (slowly with STANDIN_SLOW=1) and its server.
standin wine <<'SH'
[ "$1" = wineboot ] || exit 0
[ -z "${STANDIN_SLOW:-}" ] || /bin/sleep 1
mkdir -p "$WINEPREFIX/drive_c"
echo "made in $WINEPREFIX" >"$WINEPREFIX/system.reg"
SH
standin wineserver <<'SH'
SH

# How many logged calls start with TEXT.
calls() {
    [ -f "$STANDIN/calls" ] || { echo 0; return; }
    grep -c "^$1" "$STANDIN/calls"
}
