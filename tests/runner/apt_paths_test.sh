#!/bin/bash
# The runner and the VM's script through a package registry's bad day, on
# stand-ins for apt-get, apt-cache, dpkg, dpkg-query, busybox and the
# emulator: nothing is installed or booted. Runs the runner as root itself (sudo would reset PATH).
set -uo pipefail
root=$1
[ "$(id -u)" -eq 0 ] || { echo "needs root: the runner would go through sudo"; exit 77; }
. "$(dirname "$0")/standins.sh"
codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
vm_cache=$(mktemp -d)
failed=0

# name | settings | command | exit | said (a pattern) | calls (TEXT=COUNT, ...)
cases=(
    "all present|STANDIN_INSTALLED=all|chronyx setup win32|0||apt-get=0, dpkg --add=0"
    "an index of the wrong size|STANDIN_UPDATE=index|chronyx setup win32|0|*warning: the package index http://deb.example/debian-security bookworm-security/main i386 Packages could not be fetched (File has unexpected size (374820 != 376004). Mirror sync in progress?); going on without it*|apt-get update=3, sleep=2, apt-get install -y cmake=1, apt-get install -y -t=0"
    "both halves from the release's suite, in one call|STANDIN_UPDATE=index STANDIN_INSTALL=release|chronyx setup win32|0|*trying once more preferring $codename*without the latest security fixes*|apt-get install -y cmake=1, apt-get install -y -t $codename cmake=1, apt-get install -y wine32=0"
    "the 32-bit half impossible, the builds' half alone|STANDIN_UPDATE=index STANDIN_INSTALL=no-i386|chronyx setup win32|1|*chronyx: warning: could not install wine32:i386 qemu-system-x86 busybox-static: the package index*|apt-get install -y cmake=2, apt-get install -y -t $codename cmake=1"
    "not even from the release's suite|STANDIN_UPDATE=index STANDIN_INSTALL=never STANDIN_INSTALLED=cmake|chronyx setup|1|*chronyx: could not install ninja-build*: the package index http://deb.example/debian-security bookworm-security/main i386 Packages could not be fetched, and $codename's own versions do not fit beside those installed (apt: wine32:i386 : Depends:*); run this again once apt-get update fetches every index*|apt-get install -y -t=1"
    "the 32-bit part alone impossible|STANDIN_UPDATE=index STANDIN_INSTALL=never STANDIN_INSTALLED=all-but-32|chronyx setup win32|1|*chronyx: warning: could not install wine32:i386 qemu-system-x86 busybox-static: *|apt-get install=2"
    "no index at all: nothing installed|STANDIN_UPDATE=lock|chronyx setup|1|*apt-get update failed (E: Could not get lock*nothing was installed*|apt-get update=3, apt-get install=0"
    "the VM's kernel: update and download|STANDIN_UPDATE=index STANDIN_KERNEL=after-update STANDIN_DOWNLOAD=never|vm prepare|1|*vm: warning: the package index*i386 Packages could not be fetched*vm: cannot download linux-image-6.1.0-99-amd64 after 3 tries (E: Failed to fetch*); check the network*|apt-get update=3, apt-get download=3, sleep=4"
    "the VM's kernel: no update where apt-cache names it|STANDIN_DOWNLOAD=never|vm prepare|1|*cannot download linux-image-6.1.0-99-amd64*|apt-get update=0"
    "the VM made where no busybox is installed|STANDIN_DOWNLOAD=ok|vm prepare|0|*making the test VM*|apt-get download=1, busybox cpio=1"
    "a VM that cannot start: a failure with its reason|CHX_VM_QEMU=false|vm run . true|1|*vm: the VM stopped before its job finished (qemu exit 1)|apt-get download=0"
)
. "$root/tools/packages.sh"
all_but_32=$(packages_of build | tr '\n' ' ')
standin qemu-system-x86_64 </dev/null
for row in "${cases[@]}"; do
    IFS='|' read -r name settings command expected_exit pattern expected_calls <<<"$row"
    settings=${settings//all-but-32/\"$all_but_32\"}
    rm -f "$STANDIN/calls" "$STANDIN/updated"
    case "$command" in
    chronyx*) command="$root/$command" ;;
    vm*) command="bash $root/tools/vm/${command/vm /vm.sh }" ;;
    esac
    status=0
    said=$(eval "env CHX_NO_32BIT=1 CHX_VM_CACHE=$vm_cache CHX_VM_QEMU=qemu-system-x86_64 \
        CHX_VM_BUSYBOX=$STANDIN/bin/busybox $settings $command" 2>&1) || status=$?
    # shellcheck disable=SC2053 # the expectation is a pattern
    if [ "$status" != "$expected_exit" ] || [[ $said != $pattern ]]; then
        echo "$name: exit $status (expected $expected_exit), said:"
        echo "$said" | sed 's/^/    /'
        echo "  expected to match: $pattern"
        failed=1
    fi
    IFS=',' read -ra expectations <<<"$expected_calls"
    for e in "${expectations[@]}"; do
        e=${e# }
        got=$(calls "${e%=*}")
        [ "$got" = "${e##*=}" ] || { echo "$name: ${e%=*} called $got times, expected ${e##*=}"; failed=1; }
    done
done
rm -rf "$vm_cache"
exit $failed
