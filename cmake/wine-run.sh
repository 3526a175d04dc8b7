#!/bin/sh
# Runs a Windows program under Wine in the build's own prefix, never ~/.wine.
# Usage: wine-run.sh [--prefix=DIR] [program [args...]]. Without --prefix the
# prefix is $CHX_WINEPREFIX, else build/win32/wineprefix. Without a program it
# only makes sure the prefix exists.
here=$(cd "$(dirname "$0")/.." && pwd)
prefix="${CHX_WINEPREFIX:-$here/build/win32/wineprefix}"
case "$1" in
--prefix=*)
    prefix="${1#--prefix=}"
    shift
    ;;
esac
export WINEPREFIX="$prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINEARCH=win32
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    # Tests may start in parallel: only one of them builds the prefix.
    mkdir -p "$(dirname "$WINEPREFIX")"
    (
        flock 9
        if [ ! -f "$WINEPREFIX/system.reg" ]; then
            mkdir -p "$WINEPREFIX"
            wineboot -i >/dev/null 2>&1
            wineserver -w
        fi
    ) 9>"$WINEPREFIX.lock"
fi
[ $# -eq 0 ] && exit 0
exec wine "$@"
