#!/bin/sh
# Runs a Windows program under Wine in a build's own prefix, never ~/.wine.
# Usage: wine-run.sh [--arch=win32|win64] [--prefix=DIR] [--server=keep|stop]
#                    [program [args...]].
# Without --arch the build is win32; without --prefix the prefix is
# $CHX_WINEPREFIX, else build/<arch>/wineprefix. Without a program it only
# makes sure the prefix exists. --server=keep starts the prefix's server and
# keeps it, and the services Wine starts with it, running until
# --server=stop: a suite of many short Wine processes then pays for starting
# them once, not once a process.
here=$(cd "$(dirname "$0")/.." && pwd)
arch=win32
prefix=
server=
while :; do
    case "$1" in
    --arch=*) arch="${1#--arch=}" ;;
    --prefix=*) prefix="${1#--prefix=}" ;;
    --server=*) server="${1#--server=}" ;;
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
# A prefix whose registry is empty was cut off while its server saved it (a
# machine stopped hard): Wine would run on with an empty registry, so it is
# made again.
if [ ! -s "$WINEPREFIX/system.reg" ]; then
    # Tests may start in parallel: only one of them builds the prefix.
    mkdir -p "$(dirname "$WINEPREFIX")"
    (
        flock 9
        if [ ! -s "$WINEPREFIX/system.reg" ]; then
            rm -f "$WINEPREFIX"/*.reg "$WINEPREFIX/.update-timestamp"
            mkdir -p "$WINEPREFIX"
            "$loader" wineboot -i >/dev/null 2>&1
            WINEPREFIX="$WINEPREFIX" wineserver -w
        fi
    ) 9>"$WINEPREFIX.lock"
fi
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
