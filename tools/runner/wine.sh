# shellcheck shell=bash
# Every Windows build runs its programs through build/<preset>/wine-run, in
# its own prefix of its own width: a copy of the pristine one kept for the
# machine, made on first use (cmake/wine-run.sh). For the VM the host copies
# it: through the VM's 9p a copy takes as long as making the prefix.

prefix_of() { printf 'build/%s/wineprefix\n' "$1"; }
no_prefix() { printf 'no Wine prefix in %s\n' "$(prefix_of "$1")"; }

# PRESET WHERE (here or vm: where the 32-bit build runs).
wine_prefix() {
    local preset=$1 where=$2 prefix started=$SECONDS status=0
    prefix=$(prefix_of "$preset")
    [ -s "$prefix/system.reg" ] && return 0
    say "the Wine prefix in $prefix"
    if [ "$preset" = win32 ] && [ "$where" = vm ]; then
        "build/$preset/wine-run" --cache=copy || status=$?
        if [ $status -eq 3 ]; then
            in_win32_machine vm "build/$preset/wine-run" --cache=fill
            status=0
            "build/$preset/wine-run" --cache=copy || status=$?
        fi
    else
        "build/$preset/wine-run" || status=$?
    fi
    if [ $status -ne 0 ]; then
        printf 'chronyx: %s (wine-run exit %s)\n' "$(no_prefix "$preset")" $status >&2
        return 1
    fi
    say "the Wine prefix in $prefix: ready in $((SECONDS - started)) s"
}

# Tests of a Windows build that need no Wine (the PE checks) run here; the
# rest carry the label "wine" and run with one server kept for the prefix:
# most of a short Wine process's start is the server's and its services'.
# Four at a time: two cores spend much of a Wine start waiting.
# PRESET WHERE, as wine_prefix.
wine_suite() {
    if ! wine_prefix "$1" "$2"; then
        no_prefix "$1" >&3
        return 1
    fi
    local status=0 started=$SECONDS
    "build/$1/wine-run" --server=keep 3>&-
    say "the prefix's server: $((SECONDS - started)) s"
    run_ctest "$1" --label-regex wine --parallel 4 || status=$?
    "build/$1/wine-run" --server=stop
    return $status
}
no_wine_suite() {
    run_ctest "$1" --label-exclude wine
}
# The prefix is copied here first; the VM only runs the suite. Why the VM did
# not run comes from the file its script leaves, named for this suite alone.
vm_wine_suite() {
    local vm_failure=$ROOT/build/.vm-failure status=0
    rm -f "$vm_failure"
    CHX_VM_FAILURE_FILE=$vm_failure wine_prefix "$1" vm &&
        CHX_VM_FAILURE_FILE=$vm_failure in_win32_machine vm ./chronyx wine-suite "$1" || status=$?
    if [ $status -ne 0 ]; then
        if [ -s "$vm_failure" ]; then
            head -1 "$vm_failure" >&3
        elif [ ! -s "$(prefix_of "$1")/system.reg" ]; then
            no_prefix "$1" >&3
        else
            failed_tests "$1" >&3
        fi
    fi
    rm -f "$vm_failure"
    return $status
}
