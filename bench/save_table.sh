#!/bin/bash
# Puts a benchmark table, with the machine, the date and the commit, between the markers
# of a Markdown file, leaving the rest of the file as it is.
# Usage: save_table.sh TABLE_FILE MARKDOWN_FILE
set -euo pipefail
table=$1 doc=$2
begin='<!-- bench table begin -->'
end='<!-- bench table end -->'
grep -qF "$begin" "$doc" && grep -qF "$end" "$doc" || {
    echo "save_table.sh: $doc has no table markers" >&2
    exit 1
}
cpu=$(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -1)
cores=$(nproc)
# The commit measured, marked when the tree held changes beside it.
commit=$(git rev-parse --short HEAD 2>/dev/null || echo "no commit")
if [ -n "$(git status --porcelain --untracked-files=no 2>/dev/null)" ]; then
    commit="$commit with uncommitted changes"
fi
memory=$(awk '/^MemTotal/ {printf "%.0f GB", $2 / 1048576}' /proc/meminfo)
# The 64-bit loader by its own path: /usr/bin/wine may take the 32-bit one.
wine=$(/usr/lib/wine/wine64 --version 2>/dev/null || wine --version 2>/dev/null || echo "no Wine")
section=$(mktemp)
trap 'rm -f "$section"' EXIT
{
    echo "$begin"
    echo
    echo "Measured $(date -u '+%Y-%m-%d %H:%M UTC') at $commit by \`./chronyx bench --save\`,"
    echo "on ${cpu:-an unknown CPU}, $cores cores, $memory;"
    echo "$(. /etc/os-release && echo "$PRETTY_NAME"), $(g++ --version | head -1), $wine."
    echo
    cat "$table"
    echo
    echo "$end"
} >"$section"
awk -v begin="$begin" -v end="$end" -v section="$section" '
    $0 == begin { while ((getline line < section) > 0) print line; skip = 1; next }
    $0 == end { skip = 0; next }
    !skip { print }
' "$doc" >"$doc.new"
mv "$doc.new" "$doc"
