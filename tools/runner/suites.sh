# shellcheck shell=bash
# ./chronyx test: every suite this machine can run, and the summary of what
# became of each. A suite's line in the summary goes to descriptor 4, which
# cmd_test points at a file of its own; a suite that fails may write its own
# reason, one line, on descriptor 3: the tests that failed, where a finding
# went, why its machine did not run.

# [--figures FN] NAME COMMAND...: with --figures, FN measures before the
# suite starts: its line joins the name and its status is the suite's.
suite() {
    local figures_of='' status=0
    if [ "$1" = --figures ]; then
        figures_of=$2
        shift 2
    fi
    local name=$1
    shift
    if [ -n "$figures_of" ]; then
        local figures
        figures=$("$figures_of") || status=$?
        name+=": ${figures:-not measured}"
        set -- test $status -eq 0
        status=0
    fi
    say "$name"
    local started=$SECONDS took why reason
    why=$(mktemp)
    "$@" 3>"$why" 4>&- || status=$?
    reason=$(take_reason "$why")
    took=$(duration $((SECONDS - started)))
    say "$name: $took"
    if [ $status -eq 0 ]; then
        echo "passed   $name ($took)" >&4
    elif [ -n "$reason" ]; then
        echo "FAILED   $name ($took): $reason" >&4
    else
        echo "FAILED   $name ($took, exit $status)" >&4
    fi
}
# A dry run's suite: only named.
would_run() {
    [ "$1" != --figures ] || shift 2
    echo "would run $1" >&4
}
not_run() {
    say "not run: $1: $2"
    echo "not run  $1: $2" >&4
}

# What the summary comes to; nothing where nothing ran (a dry run).
verdict() {
    local summary=$1 not_run
    not_run=$(grep -c '^not run' "$summary") || true
    if grep -q '^FAILED' "$summary"; then
        say "some tests failed"
    elif [ "$not_run" -ne 0 ]; then
        say "all tests that can run here passed; $not_run could not run here (named above)"
    elif grep -q '^passed' "$summary"; then
        say "all tests passed"
    fi
}

# ctest of a test preset; where tests fail, their names (the first three,
# then how many more) are the suite's reason. ctest keeps them in the build
# folder, which the VM shares, so a suite run in it is named the same way.
run_ctest() {
    local preset=$1 status=0
    shift
    rm -f "$(failed_log "$preset")"
    ctest --preset "$preset" "$@" 3>&- || status=$?
    [ $status -eq 0 ] || failed_tests "$preset" >&3
    return $status
}
# Where ctest lists the tests of PRESET that failed in its last run.
failed_log() {
    case "$1" in
    sanitized) echo "$ROOT/build/fuzz/Testing/Temporary/LastTestsFailed.log" ;;
    *) echo "$ROOT/build/$1/Testing/Temporary/LastTestsFailed.log" ;;
    esac
}
failed_tests() {
    local log names
    log=$(failed_log "$1")
    [ -s "$log" ] || return 0
    mapfile -t names < <(cut -d: -f2- "$log")
    local shown=("${names[@]:0:3}")
    local more=$((${#names[@]} - ${#shown[@]}))
    local list
    list=$(printf '%s, ' "${shown[@]}")
    if [ $more -gt 0 ]; then
        printf 'failed: %s and %d more\n' "${list%, }" "$more"
    else
        printf 'failed: %s\n' "${list%, }"
    fi
}

native_suite() {
    clear_coverage
    run_ctest native --parallel "$(nproc)" --label-exclude sweep
}
# Every kept fuzz seed replayed with each of its acquiring calls failed in
# turn (tests/fuzz/replay_main.cpp); its counts join the native suite's.
anomaly_sweep() {
    build/native/tests/fuzz/chronyx-fuzz-replay --sweep tests/fuzz/corpus
}
# The native suite again, built by clang with both sanitizers (the fuzz
# preset builds everything that way).
sanitized_suite() {
    build fuzz >/dev/null
    run_ctest sanitized --parallel "$(nproc)"
}

# DRY (yes or no): yes only names the suites, with the build each would use.
cmd_test() {
    local dry=$1 started=$SECONDS machine step=suite why why_no_win32='' summary status=0
    machine=$(probe_machine)
    if [ "$dry" = yes ]; then
        step=would_run
    else
        why=$(mktemp)
        ensure_packages win32 "$machine" 3>"$why"
        why_no_win32=$(take_reason "$why")
        build_native
        build win32
        build win64
    fi
    summary=$(mktemp)
    test_suites "$step" "$machine" "$why_no_win32" 4>"$summary"
    say "summary"
    sed 's/^/   /' "$summary"
    verdict "$summary"
    say "the whole run: $(duration $((SECONDS - started)))"
    ! grep -q '^FAILED' "$summary" || status=1
    rm -f "$summary"
    return $status
}

# STEP (suite or would_run) MACHINE WHY_NO_WIN32: each suite in turn.
test_suites() {
    local step=$1 machine=$2 why_no_win32=$3 win32="32-bit Wine tests (win32"
    "$step" "native tests" native_suite
    "$step" "anomaly sweep: every kept fuzz seed with each acquiring call failed in turn" anomaly_sweep
    "$step" --figures coverage_figures "coverage of the shipped code"
    "$step" "native tests under AddressSanitizer and UndefinedBehaviorSanitizer" sanitized_suite
    "$step" "fuzz run: seed $FUZZ_GATE_SEED, $FUZZ_GATE_RUNS runs from the kept seeds" fuzz_gate
    "$step" "x64 checks without Wine (win64)" no_wine_suite win64
    "$step" "x64 Wine tests (win64)" wine_suite win64 here
    "$step" "32-bit product checks without Wine (win32)" no_wine_suite win32
    if [ -n "$why_no_win32" ]; then
        not_run "$win32)" "$why_no_win32"
    elif [ "$(win32_where "$machine")" = vm ]; then
        "$step" "$win32, in a VM: $(why_vm "$machine"))" vm_wine_suite win32
    else
        "$step" "$win32)" wine_suite win32 here
    fi
}
