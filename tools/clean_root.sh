#!/bin/bash
# The README's two commands on a Debian 12 machine that starts empty: a
# minimal root made by debootstrap, the committed checkout cloned into it,
# then `./chronyx demo` and `./chronyx test` run inside as root, each timed.
# A machine that already has the packages, as CI's has, hides a missing
# install step; this does not. Not part of the gate: it downloads several
# hundred MB and builds everything from nothing.
#
#   tools/clean_root.sh [--new]
#
# It runs this machine's own path and, where the kernel runs 32-bit programs,
# the other one too (CHX_NO_32BIT=1: the x64 demo and the 32-bit suite in the
# VM), each in a fresh copy of the pristine root. The pristine root is kept
# per machine in ${XDG_CACHE_HOME:-~/.cache}/chronyx/clean-root/ and made
# again with --new. Needs root (debootstrap, chroot, mounts).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
checkout=$(cd "$here/.." && pwd)
keep=${XDG_CACHE_HOME:-$HOME/.cache}/chronyx/clean-root
pristine=$keep/pristine
suite=bookworm

say() { printf '== clean root: %s\n' "$*"; }
die() {
    printf 'clean root: %s\n' "$*" >&2
    exit 1
}

[ "$(id -u)" -eq 0 ] || die "needs root: debootstrap, chroot and mounts"
new=0
for arg in "$@"; do
    case "$arg" in
    --new) new=1 ;;
    *) die "unknown option $arg (only --new)" ;;
    esac
done

# The Debian archive this machine's own apt uses, not a guess at one.
mirror() {
    apt-get indextargets --format '$(REPO_URI) $(RELEASE)' 2>/dev/null |
        awk -v s="$suite" '$2 == s { print $1; exit }'
}

make_pristine() {
    command -v debootstrap >/dev/null ||
        DEBIAN_FRONTEND=noninteractive apt-get install -y debootstrap >/dev/null ||
        die "cannot install debootstrap"
    local url started=$SECONDS
    url=$(mirror)
    [ -n "$url" ] || die "this machine's apt names no archive for $suite"
    say "making a minimal $suite root from $url"
    release_leftovers "$pristine.new"
    rm -rf --one-file-system "$pristine.new"
    mkdir -p "$keep"
    debootstrap --variant=minbase "$suite" "$pristine.new" "$url" >"$keep/debootstrap.log" 2>&1 ||
        die "debootstrap failed: see $keep/debootstrap.log"
    # The machine's own sources (security updates included), as a fresh
    # install has them; the name server, to reach them.
    rm -f "$pristine.new/etc/apt/sources.list"
    cp -a /etc/apt/sources.list* "$pristine.new/etc/apt/" 2>/dev/null || true
    rm -rf --one-file-system "$pristine"
    mv "$pristine.new" "$pristine"
    say "pristine root made in $((SECONDS - started)) s"
}

MOUNTED=()
unmount_all() {
    local i
    for ((i = ${#MOUNTED[@]} - 1; i >= 0; i--)); do umount -l "${MOUNTED[i]}" 2>/dev/null || true; done
    MOUNTED=()
}
trap unmount_all EXIT
# Mounts an earlier run left behind (stopped hard): a copy is never removed
# while the machine's own /dev or /proc is mounted inside it.
release_leftovers() {
    local m
    while read -r m; do umount -l "$m" 2>/dev/null || true; done < <(
        findmnt -rn -o TARGET | grep -F "$1/" | sort -r)
}
mount_into() {
    local root=$1
    mount -t proc proc "$root/proc" && MOUNTED+=("$root/proc")
    mount -t sysfs sys "$root/sys" && MOUNTED+=("$root/sys")
    mount --rbind /dev "$root/dev" && mount --make-rslave "$root/dev" && MOUNTED+=("$root/dev")
    mkdir -p "$root/dev/shm"
    mount -t tmpfs shm "$root/dev/shm" && MOUNTED+=("$root/dev/shm")
    mount -t tmpfs tmp "$root/tmp" && MOUNTED+=("$root/tmp")
}

# One command inside, as root with a login's bare environment plus SETTINGS;
# its output in LOG, its time in seconds on stdout.
inside() {
    local root=$1 log=$2 settings=$3 command=$4 started=$SECONDS status=0
    # shellcheck disable=SC2086 # settings are words
    chroot "$root" /usr/bin/env -i HOME=/root TERM=dumb LANG=C.UTF-8 \
        PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin $settings \
        /bin/bash -c "cd /root/chronyx && $command" >"$log" 2>&1 || status=$?
    echo "$((SECONDS - started)) $status"
}

minutes() { printf '%d min %02d s' $(($1 / 60)) $(($1 % 60)); }

# One path from nothing: a fresh copy of the pristine root, the checkout
# cloned in, the demo and then the test command.
RESULTS=()
run_path() {
    local id=$1 name=$2 settings=$3
    local root=$keep/root-$id
    say "$name path: a fresh copy of the pristine root"
    unmount_all
    release_leftovers "$root"
    rm -rf --one-file-system "$root"
    cp -a "$pristine" "$root"
    cp /etc/resolv.conf "$root/etc/resolv.conf"
    git clone --quiet --no-hardlinks "$checkout" "$root/root/chronyx"
    mount_into "$root"
    local demo test
    say "$name path: ./chronyx demo (log: $root/demo.log)"
    read -r -a demo < <(inside "$root" "$root/demo.log" "$settings" "./chronyx demo")
    say "$name path: ./chronyx demo exited ${demo[1]} after $(minutes "${demo[0]}")"
    say "$name path: ./chronyx test (log: $root/test.log)"
    read -r -a test < <(inside "$root" "$root/test.log" "$settings" "./chronyx test")
    say "$name path: ./chronyx test exited ${test[1]} after $(minutes "${test[0]}")"
    sed -n '/^== summary/,$p' "$root/test.log"
    unmount_all
    RESULTS+=("$name: demo $(minutes "${demo[0]}") (exit ${demo[1]}), test $(minutes "${test[0]}") (exit ${test[1]})")
    [ "${demo[1]}" = 0 ] && [ "${test[1]}" = 0 ]
}

git -C "$checkout" diff --quiet HEAD 2>/dev/null ||
    say "the checkout has changes not committed: only what is committed is cloned in"
if [ $new -eq 1 ] || [ ! -x "$pristine/bin/bash" ]; then make_pristine; fi
commit=$(git -C "$checkout" rev-parse --short HEAD)
# The runner's own choice on this kernel, asked in a dry run.
own=$(CHX_DRY_RUN=1 "$checkout/chronyx" test 2>/dev/null | grep -E '^ *would run 32-bit Wine' || true)
status=0
if [[ $own == *"in a VM"* ]]; then
    run_path own "no-32-bit, this kernel's" "" || status=1
else
    run_path own "32-bit, this kernel's" "" || status=1
    run_path no-32bit "no-32-bit, CHX_NO_32BIT=1" "CHX_NO_32BIT=1" || status=1
fi
say "commit $commit, from nothing:"
printf '   %s\n' "${RESULTS[@]}"
exit $status
