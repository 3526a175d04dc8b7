# shellcheck shell=bash
# Faults planted one at a time in a copy under build/mutate/ (tools/mutate/),
# which is told what this machine runs to choose the suites it can.
cmd_mutate() {
    local machine
    ensure_packages
    machine=$(probe_machine)
    exec python3 -B tools/mutate/mutate.py --runs-32bit "$(runs_32bit "$machine")" \
        --why-not-32bit "$(why_not_32bit "$machine")" "$@"
}
