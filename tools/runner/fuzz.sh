# shellcheck shell=bash
# The libFuzzer target under AddressSanitizer and UndefinedBehaviorSanitizer:
# a campaign of its own (./chronyx fuzz), and the gate's fixed run in test.

FUZZ_GATE_SEED=20261209
FUZZ_GATE_RUNS=200000

# A campaign from the seed corpus and what earlier campaigns kept in
# build/fuzz/work, on every core. A finding is saved in build/fuzz/crashes/
# and fails the verb; replay it with
# CHX_FUZZ_TRACE=1 build/fuzz/tests/fuzz/chronyx-fuzz FILE.
cmd_fuzz() {
    local seconds=${1:-600}
    [[ $seconds =~ ^[0-9]+$ ]] || die "fuzz: seconds must be a whole number"
    ensure_packages
    build fuzz --target chronyx-fuzz >/dev/null
    mkdir -p build/fuzz/work
    say "fuzz: a ${seconds}-second campaign"
    run_fuzzer -fork="$(nproc)" -max_total_time="$seconds" build/fuzz/work tests/fuzz/corpus
}

# The target with what every run shares: the input limit, the sanitizers'
# settings (leak detection on: memory an object fails to give back is a
# finding) and where a finding is kept.
run_fuzzer() {
    mkdir -p build/fuzz/crashes
    ASAN_OPTIONS=malloc_context_size=0 build/fuzz/tests/fuzz/chronyx-fuzz \
        -max_len=1400 -artifact_prefix=build/fuzz/crashes/ "$@"
}

# The gate's run: the same target from the kept seeds only, one process, a
# fixed seed and a fixed number of runs, so that every run of the test
# command fuzzes exactly the same inputs. New finds go to a folder emptied
# first, never into the seeds.
fuzz_gate() {
    build fuzz --target chronyx-fuzz >/dev/null
    rm -rf build/fuzz/gate
    mkdir -p build/fuzz/gate
    local status=0
    run_fuzzer -seed=$FUZZ_GATE_SEED -runs=$FUZZ_GATE_RUNS -print_final_stats=1 \
        build/fuzz/gate tests/fuzz/corpus >build/fuzz/gate.log 2>&1 || status=$?
    # The whole output stays in build/fuzz/gate.log; the seed, the count and
    # any finding are shown.
    grep -E '^(stat::number_of_executed_units|==|SUMMARY|INFO: Seed)' build/fuzz/gate.log || true
    [ $status -eq 0 ] ||
        sed -n 's/.*Test unit written to \(.*\)/a finding, written to \1/p' build/fuzz/gate.log | head -1 >&3
    return $status
}
