# shellcheck shell=bash
# The version, and the package of a commit.

# The version, written once: in project() of CMakeLists.txt.
project_version() {
    sed -n 's/^project(CHRONYX VERSION \([0-9][0-9.]*\).*/\1/p' CMakeLists.txt
}

# dist/CHRONYX-<version>.zip (both DLLs, INSTALL.txt, the user documents, the
# gallery pictures, LICENSE, CHANGELOG.md), CHRONYX-<version>-debug.zip,
# CHRONYX-<version>-tests.zip (the Wine suite of each width, to run on Windows
# itself) and SHA256SUMS. A package names a commit: a tree with changes not
# committed is refused unless --allow-dirty. The zips carry the commit's time,
# so the same commit gives the same bytes.
cmd_release() {
    local allow_dirty=0 arg
    for arg in "$@"; do
        case "$arg" in
        --allow-dirty) allow_dirty=1 ;;
        *) die "release: unknown option $arg (only --allow-dirty)" ;;
        esac
    done
    local changes epoch
    if ! changes=$(git status --porcelain 2>/dev/null); then
        [ $allow_dirty -eq 1 ] || die "release: not a git checkout, so nothing says what it holds (--allow-dirty to package it anyway)"
        epoch=315532800
    else
        [ -z "$changes" ] || [ $allow_dirty -eq 1 ] ||
            die "release: the tree has uncommitted changes (git status lists $(printf '%s\n' "$changes" | wc -l)); commit them or use --allow-dirty"
        epoch=$(git log -1 --format=%ct)
    fi
    ensure_packages
    build win32 --target CHRONYX tests_package
    build win64 --target CHRONYX tests_package
    say "packaging CHRONYX $(project_version)"
    SOURCE_DATE_EPOCH=$epoch python3 tools/release/make_package.py --version "$(project_version)" \
        --source "$ROOT" --win32 build/win32 --win64 build/win64 --out "$ROOT/dist"
}
