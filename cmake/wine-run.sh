#!/bin/sh
# Runs a Windows program under Wine in a build's own prefix, never ~/.wine.
# Usage: wine-run.sh [--arch=win32|win64] [--prefix=DIR] [--server=keep|stop]
#                    [--cache=copy|fill] [program [args...]].
# Without --arch the build is win32; without --prefix the prefix is
# $CHX_WINEPREFIX, else build/<arch>/wineprefix. Without a program it only
# makes sure the prefix exists. --server=keep starts the prefix's server and
# keeps it, and the services Wine starts with it, running until
# --server=stop: a suite of many short Wine processes then pays for starting
# them once, not once a process.
# A new prefix is a copy of a pristine one kept per machine and width in
# ${XDG_CACHE_HOME:-$HOME/.cache}/chronyx, made there on first use.
# --cache=copy only copies the kept one into an empty prefix (exit 3 where
# none is kept); --cache=fill only makes the kept one.
here=$(cd "$(dirname "$0")/.." && pwd)
arch=win32
prefix=
server=
cache_only=
while :; do
    case "$1" in
    --arch=*) arch="${1#--arch=}" ;;
    --prefix=*) prefix="${1#--prefix=}" ;;
    --server=*) server="${1#--server=}" ;;
    --cache=*) cache_only="${1#--cache=}" ;;
    *) break ;;
    esac
    shift
done
case "$arch" in
# Debian's /usr/bin/wine takes the 32-bit loader whenever wine32 is installed,
# and that loader cannot start where the kernel refuses 32-bit programs: the
# 64-bit loader is called by its own path.
win64) loader=/usr/lib/wine/wine64 ;;
win32) loader=wine ;;
*)
    echo "wine-run.sh: --arch must be win32 or win64, not $arch" >&2
    exit 2
    ;;
esac
[ -n "$prefix" ] || prefix="${CHX_WINEPREFIX:-$here/build/$arch/wineprefix}"
export WINEPREFIX="$prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINEARCH="$arch"

# Making a prefix costs 20 s natively and minutes in the test VM, and every
# fresh clone would pay it again: the pristine one is kept under a key of
# what makes it, Wine's version and this script (its overrides above), and
# remade when that changes.
cache_dir="${XDG_CACHE_HOME:-$HOME/.cache}/chronyx"
kept_prefix() {
    # The 64-bit loader runs on every machine this serves, the 32-bit one
    # not where the kernel refuses 32-bit programs; Debian keeps both at one
    # version.
    version=$(if [ -x /usr/lib/wine/wine64 ]; then /usr/lib/wine/wine64 --version; else "$loader" --version; fi)
    key=$({ printf '%s\n' "$version"; cat "$0"; } | sha256sum | cut -c1-16)
    printf '%s/wineprefix-%s-%s\n' "$cache_dir" "$arch" "$key"
}

make_prefix() {
    WINEPREFIX="$1" "$loader" wineboot -i >/dev/null 2>&1
    WINEPREFIX="$1" wineserver -w
    [ -s "$1/system.reg" ]
}

# Made in a folder of its own and renamed into place, so that nobody copies
# half a prefix. The lock spares a second maker on this machine the work; a
# VM's 9p does not pass locks on to the host, where the rename alone keeps
# it right: the later maker throws its prefix away.
fill_cache() {
    kept=$(kept_prefix)
    mkdir -p "$cache_dir" || return 1
    (
        flock 8
        [ -s "$kept/system.reg" ] && exit 0
        echo "wine-run.sh: making the $arch Wine prefix kept for this machine in $kept" >&2
        # What a maker cut off left; an hour is far longer than any make.
        find "$cache_dir" -maxdepth 1 -name ".making-$arch.*" -mmin +60 -exec rm -rf {} +
        making=$(mktemp -d "$cache_dir/.making-$arch.XXXXXX") || exit 1
        if ! make_prefix "$making"; then
            rm -rf "$making"
            echo "wine-run.sh: wineboot made no registry in $making" >&2
            exit 1
        fi
        if mv -T "$making" "$kept" 2>/dev/null; then
            for old in "$cache_dir/wineprefix-$arch-"*; do
                [ "$old" = "$kept" ] || rm -rf "$old"
            done
        else
            rm -rf "$making"
        fi
    ) 8>"$cache_dir/$arch.lock"
}

# Into a folder beside the prefix, then renamed: a copy cut off leaves no
# prefix that looks whole.
copy_kept() {
    kept=$(kept_prefix)
    [ -s "$kept/system.reg" ] || return 3
    rm -rf "$WINEPREFIX.copy"
    cp -a "$kept" "$WINEPREFIX.copy" || return 1
    rm -rf "$WINEPREFIX"
    mv -T "$WINEPREFIX.copy" "$WINEPREFIX"
}

# A prefix whose registry is empty was cut off while its server saved it (a
# machine stopped hard): Wine would run on with an empty registry, so it is
# made again. Tests may start in parallel: only one of them makes it.
if [ "$cache_only" = fill ]; then
    fill_cache
    exit
fi
if [ ! -s "$WINEPREFIX/system.reg" ]; then
    # What is replaced whole must be a prefix, never a folder named by mistake.
    if [ -n "$(ls -A "$WINEPREFIX" 2>/dev/null)" ] && [ ! -d "$WINEPREFIX/drive_c" ] &&
        [ ! -d "$WINEPREFIX/dosdevices" ]; then
        echo "wine-run.sh: $WINEPREFIX holds files but no Wine prefix; left alone" >&2
        exit 2
    fi
    mkdir -p "$(dirname "$WINEPREFIX")"
    (
        flock 9
        [ -s "$WINEPREFIX/system.reg" ] && exit 0
        case "$cache_only" in
        copy) copy_kept ;;
        '')
            if mkdir -p "$cache_dir" 2>/dev/null && [ -w "$cache_dir" ]; then
                copy_kept || { fill_cache && copy_kept; }
            else
                # Nowhere to keep one: made in place.
                rm -rf "$WINEPREFIX"
                make_prefix "$WINEPREFIX"
            fi
            ;;
        *)
            echo "wine-run.sh: --cache must be copy or fill, not $cache_only" >&2
            exit 2
            ;;
        esac
    ) 9>"$WINEPREFIX.lock" || exit
fi
[ "$cache_only" = copy ] && exit 0
case "$server" in
'') ;;
keep)
    wineserver -p
    # A first process starts the services (and the desktop, for windows)
    # that every later one would otherwise start and stop again.
    "$loader" cmd /c exit >/dev/null 2>&1
    ;;
stop)
    # Waits for the server to save the registry: the VM powers off after.
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    ;;
*)
    echo "wine-run.sh: --server must be keep or stop, not $server" >&2
    exit 2
    ;;
esac
[ $# -eq 0 ] && exit 0
exec "$loader" "$@"
