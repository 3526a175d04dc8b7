#!/bin/bash
# What the runner says to a verb it does not know, and that its help names
# every CHX_ setting the runner and its scripts read.
set -uo pipefail
root=$1
failed=0

# verb | exit | first line of stderr (a pattern)
cases=(
    "nosuchverb|2|chronyx: no verb nosuchverb"
    "|2|usage: ./chronyx <verb>*"
    "wine-suite|1|chronyx: wine-suite: needs win32 or win64"
)
for row in "${cases[@]}"; do
    IFS='|' read -r verb expected_exit pattern <<<"$row"
    status=0
    # shellcheck disable=SC2086 # no verb at all is one of the cases
    said=$("$root/chronyx" $verb 2>&1 >/dev/null) || status=$?
    said=${said%%$'\n'*}
    # shellcheck disable=SC2053 # the expectation is a pattern
    [ "$status" = "$expected_exit" ] && [[ $said == $pattern ]] ||
        { echo "./chronyx $verb: exit $status, first said [$said]; expected $expected_exit, [$pattern]"; failed=1; }
done

help=$("$root/chronyx" help)
for setting in $(grep -ohE '\bCHX_[A-Z0-9_]+' "$root/chronyx" "$root/tools/vm/vm.sh" "$root/cmake/wine-run.sh" \
    "$root/tests/fuzz/fuzz_report.cpp" | sort -u); do
    [ "$setting" = CHX_VM_FAILURE_FILE ] && continue # the runner's own, to vm.sh
    grep -q "^  $setting=" <<<"$help" || { echo "./chronyx help does not name $setting"; failed=1; }
done
exit $failed
