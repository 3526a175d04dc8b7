# shellcheck shell=bash
# Coverage of the shipped code by the native suites. The gate's native build
# is the instrumented one (the coverage option of the native preset). Its
# counts are cleared before it is built, so that no stale count meets a
# changed object, and before its suites run, so that the figures are that
# run's alone.

clear_coverage() {
    [ -d build/native ] && find build/native -name '*.gcda' -delete
    return 0
}
build_native() {
    clear_coverage
    build native
}

# gcovr over what the native suites reached of the shipped sources: the
# module, its core, display and events, and the contract's lists. The
# arguments choose the reports.
gcovr_shipped() {
    local filters=() dir
    for dir in dll/module dll/core dll/display dll/events contract; do filters+=(--filter "$ROOT/$dir/"); done
    gcovr --root "$ROOT" --object-directory "$ROOT/build/native" "${filters[@]}" \
        --exclude-throw-branches --exclude-unreachable-branches -j "$(nproc)" "$@"
}

# One line, "lines 100% (847/847), branches 100% (325/325)"; fails below 100%
# of either (a percentage is rounded down, so 100% means every one).
coverage_figures() {
    local summary=build/native/coverage-summary.json
    gcovr_shipped --json-summary "$summary" "$@" >/dev/null || return 1
    python3 - "$summary" <<'PY'
import json, sys
s = json.load(open(sys.argv[1]))
parts = [(label, s[key + "_covered"], s[key + "_total"])
         for label, key in (("lines", "line"), ("branches", "branch"))]
print(", ".join(f"{label} {100 * c // t if t else 100}% ({c}/{t})" for label, c, t in parts))
sys.exit(0 if all(c == t for _, c, t in parts) else 1)
PY
}

# The coverage report: every native suite and the sweep on the instrumented
# native build, from cleared counts; out/coverage/index.html shows each line
# and branch of the shipped sources. Fails below 100% of either.
cmd_coverage() {
    ensure_packages
    build_native
    clear_coverage
    local status=0 figures
    ctest --preset native --parallel "$(nproc)" || status=$?
    rm -rf out/coverage
    mkdir -p out/coverage
    figures=$(coverage_figures --html-details out/coverage/index.html \
        --html-title "CHRONYX: coverage of the shipped code") || status=$?
    say "coverage of the shipped code: ${figures:-not measured}"
    say "report: $ROOT/out/coverage/index.html"
    [ $status -eq 0 ] || die "coverage: a suite failed, or lines or branches were left unreached"
}
