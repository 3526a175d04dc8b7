#!/bin/bash
# The Wine prefix kept per machine: made once under its key, copied into
# each build's prefix, made again when the key changes, made once when two
# builds ask at the same time; on stand-ins for Wine's loader and server.
set -uo pipefail
root=$1
. "$(dirname "$0")/standins.sh"
export XDG_CACHE_HOME=$STANDIN/cache
work=$STANDIN/work
mkdir -p "$work/changed"
# The same script with another override: another key.
{ cat "$root/cmake/wine-run.sh"; echo '# another override'; } >"$work/changed/wine-run.sh"
failed=0

run() { sh "$1" --arch=win32 --prefix="$work/$2" "${@:3}"; }
kept() { find "$XDG_CACHE_HOME/chronyx" -maxdepth 1 -name 'wineprefix-win32-*' | wc -l; }

# name | script | prefixes asked for at once | exit | boots | kept prefixes
cases=(
    "the first prefix is made and kept|$root/cmake/wine-run.sh|one|0|1|1"
    "another clone copies it|$root/cmake/wine-run.sh|two|0|0|1"
    "a prefix already there is left as it is|$root/cmake/wine-run.sh|two|0|0|1"
    "a changed script makes it again, the old one goes|$work/changed/wine-run.sh|three|0|1|1"
    "two at once: made once|$root/cmake/wine-run.sh|four five|0|1|1"
)
for row in "${cases[@]}"; do
    IFS='|' read -r name script prefixes expected_exit expected_boots expected_kept <<<"$row"
    rm -f "$STANDIN/calls"
    pids=()
    for p in $prefixes; do
        STANDIN_SLOW=1 run "$script" "$p" & pids+=($!)
    done
    status=0
    for pid in "${pids[@]}"; do wait "$pid" || status=$?; done
    boots=$(calls "wine wineboot")
    [ "$status" = "$expected_exit" ] && [ "$boots" = "$expected_boots" ] && [ "$(kept)" = "$expected_kept" ] ||
        { echo "$name: exit $status, $boots boots, $(kept) kept; expected $expected_exit, $expected_boots, $expected_kept"; failed=1; }
    for p in $prefixes; do
        grep -qs "made in $XDG_CACHE_HOME/chronyx/" "$work/$p/system.reg" ||
            { echo "$name: $p is not a copy of the kept prefix"; failed=1; }
    done
done

# --cache=copy never makes one; a folder that is no prefix is never replaced.
status=0
XDG_CACHE_HOME=$STANDIN/empty run "$root/cmake/wine-run.sh" six --cache=copy || status=$?
[ $status -eq 3 ] && [ ! -e "$work/six/system.reg" ] ||
    { echo "--cache=copy with nothing kept: exit $status, expected 3 and no prefix"; failed=1; }
mkdir -p "$work/notes" && echo keep >"$work/notes/todo.txt"
status=0
run "$root/cmake/wine-run.sh" notes 2>/dev/null || status=$?
[ $status -eq 2 ] && [ -s "$work/notes/todo.txt" ] ||
    { echo "a folder of files given as the prefix: exit $status, expected 2 and the files kept"; failed=1; }
exit $failed
