#!/bin/sh
# Copies contract/ alone into an empty folder and compiles each of its headers
# there with each compiler given: what a host author who takes that folder and
# nothing else of the project gets. The headers promise C++17.
# Usage: check_standalone.sh CONTRACT_DIR COMPILER...
contract=$1
shift
tmp=$(mktemp -d) && trap 'rm -rf "$tmp"' EXIT
cp -R "$contract" "$tmp/contract" || exit 1
cd "$tmp" || exit 1
status=0 checked=0
for compiler in "$@"; do
    if ! command -v "$compiler" >/dev/null 2>&1; then
        echo "FAIL: no compiler $compiler"; status=1; continue
    fi
    for header in contract/*.h; do
        printf '#include "%s"\n' "$header" >use.cpp
        if ! "$compiler" -std=c++17 -Wall -Wextra -Werror -fsyntax-only -I . use.cpp >out 2>&1; then
            echo "FAIL: $header from a copy of contract/ alone, with $compiler:"
            head -n 20 out
            status=1
        fi
        checked=$((checked + 1))
    done
done
echo "$checked compilations of contract/ headers from a copy of contract/ alone"
exit $status
