# shellcheck shell=bash
# Readers of tools/packages.txt, shared by ./chronyx and tools/vm/vm.sh
# (sourced; each defines die).
PACKAGE_LIST=$(dirname "${BASH_SOURCE[0]}")/packages.txt

# The packages of GROUP, one a line, in the list's order.
packages_of() {
    awk -v group="$1" '$1 == group { print $2 }' "$PACKAGE_LIST"
}

# Dies naming the package that provides THING (a program, or an absolute
# path) when it is missing.
require_provided() {
    local thing=$1 package
    if [ "${thing#/}" != "$thing" ]; then
        [ -x "$thing" ] && return 0
    else
        command -v "$thing" >/dev/null && return 0
    fi
    package=$(awk -v thing="$thing" '$3 == thing { print $2 }' "$PACKAGE_LIST")
    die "$thing is missing (package ${package:-unknown: not in $PACKAGE_LIST})"
}
