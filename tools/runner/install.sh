# shellcheck shell=bash
# The Debian 12 packages the builds and tests need (tools/packages.txt,
# read through tools/packages.sh): installs only what is missing, and with
# everything present touches nothing.

installed() {
    dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'
}

# [win32 MACHINE]: with win32, also what runs the 32-bit product on MACHINE
# (probe_machine's answer): 32-bit Wine, and the VM where it runs in one.
# (Installing wine32 where the kernel refuses 32-bit programs prints "Exec
# format error" from a trigger, but completes.) What the builds need must
# install; where only the 32-bit part cannot, this warns and writes why on
# descriptor 3, and the run goes on without it.
ensure_packages() {
    command -v dpkg-query >/dev/null || die "this script sets up Debian machines only"
    local packages wanted=() missing=() missing_32bit=() add_i386=0 p
    mapfile -t packages < <(packages_of build)
    [ ${#packages[@]} -gt 0 ] || die "no packages read from $PACKAGE_LIST"
    for p in "${packages[@]}"; do
        installed "$p" || missing+=("$p")
    done
    if [ "${1:-}" = win32 ]; then
        mapfile -t wanted < <(packages_of 32bit)
        [ "$(win32_where "$2")" = vm ] && mapfile -t -O ${#wanted[@]} wanted < <(packages_of vm)
        for p in "${wanted[@]}"; do
            installed "$p" || missing_32bit+=("$p")
        done
        dpkg --print-foreign-architectures | grep -qx i386 || add_i386=1
    fi
    [ ${#missing[@]} -eq 0 ] && [ ${#missing_32bit[@]} -eq 0 ] && [ $add_i386 -eq 0 ] && return 0
    if [ $add_i386 -eq 1 ]; then
        say "adding the i386 architecture (32-bit Wine)"
        as_root dpkg --add-architecture i386
    fi
    local all=("${missing[@]}" "${missing_32bit[@]}") failed failure
    say "installing: ${all[*]}"
    apt_update as_root ||
        die "apt-get update failed ($APT_ERROR), so nothing was installed; check the network and /etc/apt/sources.list*, then run this again"
    # Both halves in one call: where the 32-bit half must come from the
    # release's own suite, so must the native half of every library the two
    # share, or they could not be one version.
    failed=$(mktemp)
    if install_packages "${all[@]}" 3>"$failed"; then
        rm -f "$failed"
        return 0
    fi
    failure=$(take_reason "$failed")
    [ ${#missing_32bit[@]} -gt 0 ] || die "$failure"
    # Without the 32-bit half the native and x64 suites can still run.
    if [ ${#missing[@]} -gt 0 ]; then
        failed=$(mktemp)
        install_packages "${missing[@]}" 3>"$failed" || die "$(take_reason "$failed")"
        rm -f "$failed"
        failure=${failure/"${all[*]}"/"${missing_32bit[*]}"}
    fi
    warn "$failure"
    printf '%s\n' "$failure" >&3
}

# apt-get install, tried once more preferring the release's own suite where
# apt_update left out an index of a foreign architecture: the packages of
# that architecture then lack the security updates the native ones have,
# and a Multi-Arch "same" library must be one version on both. On failure,
# says on descriptor 3, in one line, what could not be installed, why and
# what to try.
install_packages() {
    local log status=0 codename='' foreign
    log=$(mktemp)
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y "$@" 2>&1 | tee "$log" || status=$?
    foreign=$(dpkg --print-foreign-architectures)
    # shellcheck disable=SC2086 # one architecture a word
    if [ $status -ne 0 ] && [ -n "$foreign" ] && apt_index_missing_for $foreign; then
        codename=$(release_codename)
        if [ -n "$codename" ]; then
            warn "trying once more preferring $codename, the release's own suite: this takes versions without the latest security fixes (apt-get upgrade brings them once every index can be fetched)"
            status=0
            as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -t "$codename" "$@" 2>&1 |
                tee "$log" || status=$?
        fi
    fi
    if [ $status -eq 0 ]; then
        rm -f "$log"
        return 0
    fi
    # apt's first reason: an unmet dependency (" NAME : Depends: ...") or an error.
    local apt_said why
    apt_said=$(grep -m1 -E '^ [^ ]+ : |^E: ' "$log" | sed 's/^ *//') || true
    rm -f "$log"
    if [ -n "$APT_FAILED_INDEXES" ]; then
        why="the package index $(cut -f1 <<<"$APT_FAILED_INDEXES" | paste -sd, - | sed 's/,/, /g') could not be fetched"
        [ -n "$codename" ] && why+=", and $codename's own versions do not fit beside those installed"
        echo "could not install $*: $why${apt_said:+ (apt: $apt_said)}; run this again once apt-get update fetches every index (a mirror caught mid-sync usually is within hours)" >&3
    else
        echo "could not install $*: apt-get install exited $status${apt_said:+ (apt: $apt_said)}; see apt's messages above" >&3
    fi
    return 1
}

# setup [win32]: fails where the 32-bit part could not be installed.
cmd_setup() {
    local why machine
    why=$(mktemp)
    if [ $# -eq 0 ]; then
        ensure_packages 3>"$why"
    else
        machine=$(probe_machine)
        ensure_packages win32 "$machine" 3>"$why"
    fi
    [ -z "$(take_reason "$why")" ] || exit 1
}
