# shellcheck shell=bash
# Package-registry calls that live through a mirror's bad day, shared by
# ./chronyx and tools/vm/vm.sh (sourced; each defines warn). A mirror caught
# mid-sync serves an index of the wrong size for hours: apt-get update then
# exits 100 though every other index is fresh, and what is wanted may still
# install.

APT_ATTEMPTS=3
APT_PAUSE=10

# The indexes the last apt_update could not fetch, one a line, each with
# apt's reason after a tab; empty after a clean update.
APT_FAILED_INDEXES=

# Runs apt-get update (after PREFIX..., e.g. as_root) up to APT_ATTEMPTS
# times. Indexes that still fail become a warning each and the caller goes
# on with the rest; any other failure returns 1 with apt's last error in
# APT_ERROR.
APT_ERROR=
apt_update() {
    local log status=0
    log=$(mktemp)
    apt_retry "$log" "$@" apt-get update || status=$?
    # "Err:4 URI SUITE/COMPONENT ARCH Packages", its reason on the next line.
    APT_FAILED_INDEXES=$(awk '/^Err:/ { sub(/^Err:[0-9]* /, ""); index_ = $0; next }
        index_ != "" { sub(/^ */, ""); sub(/ \[IP: [^]]*\]$/, ""); print index_ "\t" $0; index_ = "" }' "$log" | sort -u)
    APT_ERROR=
    if [ $status -ne 0 ] && { [ -z "$APT_FAILED_INDEXES" ] ||
        ! grep -q '^E: Some index files failed to download' "$log"; }; then
        APT_ERROR=$(grep '^E: ' "$log" | tail -1)
        APT_ERROR=${APT_ERROR:-apt-get update exited $status}
        rm -f "$log"
        return 1
    fi
    rm -f "$log"
    local index reason
    while IFS=$'\t' read -r index reason; do
        [ -n "$index" ] && warn "the package index $index could not be fetched ($reason); going on without it"
    done <<<"$APT_FAILED_INDEXES"
    return 0
}

# Whether an index apt_update could not fetch is one of ARCHITECTURES.
apt_index_missing_for() {
    local arch
    for arch in "$@"; do
        cut -f1 <<<"$APT_FAILED_INDEXES" | grep -qw -- "$arch" && return 0
    done
    return 1
}

# The release's own suite (bookworm, not bookworm-security), from
# /etc/os-release; empty where it names none.
release_codename() {
    (
        # shellcheck disable=SC1091
        . /etc/os-release 2>/dev/null && printf '%s\n' "${VERSION_CODENAME:-}"
    )
}

# LOG COMMAND...: the command up to APT_ATTEMPTS times, its output in LOG;
# returns its last status. A leading as_root is left out of the warning.
apt_retry() {
    local log=$1 attempt status
    shift
    for ((attempt = 1; ; attempt++)); do
        status=0
        "$@" >"$log" 2>&1 || status=$?
        if [ $status -eq 0 ] || [ "$attempt" -ge $APT_ATTEMPTS ]; then return $status; fi
        local what="$*"
        warn "${what#as_root } failed (exit $status); trying again in $APT_PAUSE s ($((attempt + 1)) of $APT_ATTEMPTS)"
        sleep $APT_PAUSE
    done
}
