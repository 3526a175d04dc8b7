# shellcheck shell=bash
# How the runner speaks: progress on stdout, warnings and failures on stderr.

say() { printf '== %s\n' "$*"; }
warn() { printf 'chronyx: warning: %s\n' "$*" >&2; }
die() { printf 'chronyx: %s\n' "$*" >&2; exit 1; }

duration() {
    if [ "$1" -ge 60 ]; then
        printf '%d min %d s\n' $(($1 / 60)) $(($1 % 60))
    else
        printf '%d s\n' "$1"
    fi
}

# A step that fails for a reason it can put in one line writes that line on
# descriptor 3; the caller points 3 at a file and reads it back with this,
# which also removes the file.
take_reason() {
    head -1 "$1"
    rm -f "$1"
}
