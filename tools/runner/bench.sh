# shellcheck shell=bash
# ./chronyx bench: one table of every native figure beside its floor or peer,
# then the Wine figures of many objects on the real graphics interface, of
# the 32-bit product and of the x64 build side by side (a build that cannot
# run here is named with the reason). --save also keeps the table, with the
# machine and the date, in docs/performance.md.

# The Wine rows of one Windows build (PRESET, its rows named LABEL):
# chronyx-bench-host.exe. Only ever here: the VM's timings would be emulated.
wine_bench_rows() {
    local preset=$1 label=$2
    build "$preset" --target chronyx-bench-host >/dev/null
    wine_prefix "$preset" here >&2 || return 1
    say "Wine ($label): 250 objects of each display type, 600 frames"
    (cd "build/$preset" && ./wine-run ./chronyx-bench-host.exe --rows) |
        sed "s/^| Wine: /| Wine, $label: /"
}

cmd_bench() {
    local save=0 arg machine
    for arg in "$@"; do
        case "$arg" in
        --save) save=1 ;;
        *) die "bench: unknown option $arg (only --save)" ;;
        esac
    done
    machine=$(probe_machine)
    if [ "$(win32_where "$machine")" = here ]; then
        ensure_packages win32 "$machine" 3>/dev/null
    else
        ensure_packages
    fi
    if [ ! -f build/bench-native/build.ninja ]; then
        say "configuring build/bench-native"
        cmake --preset bench >/dev/null
    fi
    say "building the benchmarks"
    cmake --build build/bench-native --target chronyx-bench >/dev/null
    local rows32 rows64 rows table status=0
    rows32=$(mktemp) rows64=$(mktemp) rows=$(mktemp) table=$(mktemp)
    wine_bench_rows win64 x64 >"$rows64" || status=$?
    if [ "$(win32_where "$machine")" = here ]; then
        wine_bench_rows win32 32-bit >"$rows32" || status=$?
        paste -d '\n' "$rows32" "$rows64" | grep -v '^$' >"$rows"
    else
        # The VM emulates every instruction: its timings would mean nothing.
        local why
        why="$(why_vm "$machine"); not in the VM, whose timings are emulated"
        say "Wine (32-bit): not run: $why"
        { echo "| Wine, 32-bit: not run | $why | | | | | |"; cat "$rows64"; } >"$rows"
    fi
    say "native: figures beside their floors (about a minute)"
    build/bench-native/bench/chronyx-bench --extra-rows="$rows" >"$table" || status=$?
    cat "$table"
    if [ $save -eq 1 ]; then
        bench/save_table.sh "$table" docs/performance.md
        say "docs/performance.md updated"
    fi
    rm -f "$rows32" "$rows64" "$rows" "$table"
    [ $status -eq 0 ] || say "some goals are missed: see docs/performance.md for why"
}
