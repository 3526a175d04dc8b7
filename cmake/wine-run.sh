#!/bin/sh
# Runs a Windows program under Wine in the build's own prefix, never ~/.wine.
# CHX_WINEPREFIX may name the prefix; otherwise it sits in build/win32.
here=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX="${CHX_WINEPREFIX:-$here/build/win32/wineprefix}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINEARCH=win32
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1
    wineserver -w
fi
exec wine "$@"
