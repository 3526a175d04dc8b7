#!/bin/bash
# The build each path chooses, as the runner names it in a dry run, on
# stand-ins for the kernel's answer to its 32-bit program: the same answers
# whatever this machine's kernel runs, and nothing is built or booted.
set -uo pipefail
root=$1
. "$(dirname "$0")/standins.sh"
failed=0
vm="in a VM (slow: every instruction emulated)"
refused="this machine's kernel refuses 32-bit programs"

# name | kernel (runs, refused, killed) | settings | verb | the line naming the choice (a pattern)
cases=(
    "runs: the product|runs||demo|*win32 build*: this machine runs 32-bit programs"
    "runs: the 32-bit suite here|runs||test|would run 32-bit Wine tests (win32)"
    "runs: chosen|runs||demo --build=win32|*win32 build: chosen with --build"
    "runs: the VM asked for|runs|CHX_32BIT_VM=1|demo --build=win32|*win32 build: chosen with --build, $vm: CHX_32BIT_VM is set"
    "runs: the suite in the VM asked for|runs|CHX_32BIT_VM=1|test|would run 32-bit Wine tests (win32, in a VM: CHX_32BIT_VM is set)"
    "runs, told not: x64|runs|CHX_NO_32BIT=1|demo|*win64 build*: CHX_NO_32BIT is set"
    "runs, told not: chosen, in the VM|runs|CHX_NO_32BIT=1|demo --build=win32|*win32 build: chosen with --build, $vm: CHX_NO_32BIT is set"
    "runs, told not: the suite in the VM|runs|CHX_NO_32BIT=1|test|would run 32-bit Wine tests (win32, in a VM: CHX_NO_32BIT is set)"
    "refused: x64|refused||gallery|*win64 build*: $refused"
    "refused: chosen, in the VM|refused||run x.json --build=win32|*win32 build: chosen with --build, $vm: $refused"
    "refused: the suite in the VM|refused||test|would run 32-bit Wine tests (win32, in a VM: $refused)"
    "killed: x64, with what it said|killed||demo|*win64 build*: a 32-bit test program did not run here (exit 137: Killed)"
)
for row in "${cases[@]}"; do
    IFS='|' read -r name kernel settings verb expected <<<"$row"
    # shellcheck disable=SC2086 # settings and verb are words
    line=$(env CHX_DRY_RUN=1 CHX_32BIT_PROBE="$STANDIN/bin/probe-$kernel" $settings \
        "$root/chronyx" $verb 2>&1 | grep -E '^== using|^ *would run 32-bit Wine') || true
    line=${line#"${line%%[! ]*}"}
    # shellcheck disable=SC2053 # the expectation is a pattern
    [[ $line == $expected ]] || { echo "$name: said [$line], expected [$expected]"; failed=1; }
done
exit $failed
