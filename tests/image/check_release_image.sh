#!/bin/sh
# Checks that the shipped CHRONYX.dll stays a lean release image: its size
# within the limit; only the sections of code, constants, the instance handle,
# exports, imports, resources, relocations and the debug link (and unwind
# tables on x64); no TLS directory and no timestamp; imports only from the
# allowed functions of dll/resources/windows_imports.inc; no x87 arithmetic; no
# build folder in it; the debug link naming CHRONYX.dll.debug beside it, with
# its CRC, and that file symbolising the entry point; a version resource
# naming VERSION. Every failure prints what was found and what was allowed.
# Usage: check_release_image.sh TOOLPREFIX DLL SIZE_LIMIT POINTER_SIZE SOURCE_DIR BUILD_DIR VERSION
#   TOOLPREFIX: the binutils prefix, as in TOOLPREFIX-objdump
prefix=$1 dll=$2 limit=$3 pointer=$4 sources=$5 build=$6 version=$7
objdump=$prefix-objdump objcopy=$prefix-objcopy addr2line=$prefix-addr2line
debug=$dll.debug
tmp=$(mktemp -d) && trap 'rm -rf "$tmp"' EXIT
# shellcheck source=tests/image/allowed_imports.sh
. "$(dirname "$0")/allowed_imports.sh"
status=0
fail() { echo "FAIL: $*"; status=1; }

"$objdump" -p "$dll" >"$tmp/p" || { echo "objdump -p failed on $dll"; exit 1; }
"$objdump" -h "$dll" >"$tmp/h" || { echo "objdump -h failed on $dll"; exit 1; }

size=$(wc -c <"$dll")
[ "$size" -le "$limit" ] || fail "$dll is $size bytes; the limit is $limit"

# Sections: name and size in bytes.
awk '/^ *[0-9]+ [.]/ { print $2, $3 }' "$tmp/h" | while read -r name hex; do
    echo "$name $((0x$hex))"
done >"$tmp/sections"
allowed_sections=".text .data .rdata .edata .idata .rsrc .reloc .gnu_debuglink"
[ "$pointer" -eq 8 ] && allowed_sections="$allowed_sections .pdata .xdata"
while read -r name bytes; do
    case " $allowed_sections " in
    *" $name "*) ;;
    *) fail "section $name ($bytes bytes) is not one of: $allowed_sections" ;;
    esac
done <"$tmp/sections"
grep -q '^[.]gnu_debuglink ' "$tmp/sections" || fail "no .gnu_debuglink section"
tls=$(awk '/^Entry 9 / { print $3 $4 }' "$tmp/p")
case "$tls" in
*[1-9a-f]*) fail "TLS directory present (data directory entry 9: $(grep '^Entry 9 ' "$tmp/p"))" ;;
esac

# The header's TimeDateStamp, read raw: objdump prints it in local time.
lfanew=$(od -An -tu4 -j60 -N4 "$dll" | tr -d ' ')
stamp=$(od -An -tu4 -j$((lfanew + 8)) -N4 "$dll" | tr -d ' ')
[ "$stamp" = "0" ] || fail "PE header carries the timestamp $stamp; expected 0"

# Imports, as "DLL function" (ordinal-only HOSTRUN imports are checked by
# check_pe_tables.sh).
awk '/DLL Name: / { dll = $3; next }
     dll && /^\t[0-9a-f]+\t/ && $3 != "<none>" { print dll, $3 }' "$tmp/p" >"$tmp/imports"
# The allowed ones, "CHX_WINDOWS_IMPORT(LIBRARY, name)", as "LIBRARY.DLL name".
allowed_list=$sources/dll/resources/windows_imports.inc
allowed_functions "$allowed_list" >"$tmp/allowed"
[ -s "$tmp/allowed" ] || fail "no allowed imports read from $allowed_list"
while read -r from function; do
    grep -qxF "$(printf '%s' "$from" | tr 'a-z' 'A-Z') $function" "$tmp/allowed" ||
        fail "imports $function from $from, which is not among the allowed imports"
done <"$tmp/imports"
for needed in DisableThreadLibraryCalls cos sin; do
    grep -q " $needed\$" "$tmp/imports" || fail "does not import $needed"
done
allowed_libraries "$allowed_list" >"$tmp/libraries"
for from in $(sed -n 's/^\tDLL Name: //p' "$tmp/p"); do
    grep -qxF "$(printf '%s' "$from" | tr 'a-z' 'A-Z')" "$tmp/libraries" ||
        fail "imports from $from; allowed: $(paste -sd' ' "$tmp/libraries")"
done

# A call or jump straight at the import address table runs an address as
# code: the import library gave the function no stub.
idata=$(awk '/^ *[0-9]+ [.]idata / { print $4, $3 }' "$tmp/h")
if [ -n "$idata" ]; then
    "$objdump" -d "$dll" >"$tmp/d"
    set -- $idata
    start=$((0x$1)) end=$((0x$1 + 0x$2))
    grep -E '\s(call|jmp)\s+0x[0-9a-f]+$' "$tmp/d" | while read -r at rest; do
        target=$(printf '%s' "$rest" | sed 's/.*0x//')
        if [ $((0x$target)) -ge $start ] && [ $((0x$target)) -lt $end ]; then
            echo "$at $target"
        fi
    done >"$tmp/into_imports"
    [ -s "$tmp/into_imports" ] &&
        fail "$(wc -l <"$tmp/into_imports") calls run the import table as code (at, target): $(tr '\n' ' ' <"$tmp/into_imports")"
fi

# The x87 unit's arithmetic follows the host's control word; moves to and from
# it (results of the C library) and the control word itself are all it may see.
x87=$(grep -cE '\s(f(add|sub|subr|mul|div|divr)[pslt]?|fi(add|sub|subr|mul|div|divr|ld)[slq]?|fsqrt|fsin|fcos|fsincos|fptan|fpatan|fprem1?|fscale|frndint|f2xm1|fyl2xp?1?)\s' "$tmp/d")
[ "$x87" -eq 0 ] || {
    fail "$x87 x87 arithmetic instructions:"
    grep -E '\s(f(add|sub|subr|mul|div|divr)[pslt]?|fi(add|sub|subr|mul|div|divr|ld)[slq]?|fsqrt|fsin|fcos|fsincos|fptan|fpatan|fprem1?|fscale|frndint|f2xm1|fyl2xp?1?)\s' "$tmp/d" | head -5
}

# The version resource's strings are UTF-16: without their zero bytes each
# key runs into its value. Wine reads the whole resource back in the tests.
tr -d '\000' <"$dll" >"$tmp/narrow"
for entry in "FileVersion$version" "ProductVersion$version" "OriginalFilenameCHRONYX.dll"; do
    grep -q -a -F "$entry" "$tmp/narrow" || fail "no version resource string $entry"
done

for folder in "$sources" "$build"; do
    for file in "$dll" "$debug"; do
        [ -f "$file" ] || continue
        if grep -q -a -F "$folder" "$file"; then fail "$file contains the path $folder"; fi
    done
done

# The debug link: the file name and the CRC-32 of CHRONYX.dll.debug, which
# gzip's trailer also carries.
if [ ! -f "$debug" ]; then
    fail "no $debug beside $dll"
else
    "$objcopy" --dump-section .gnu_debuglink="$tmp/link" "$dll" "$tmp/copy" 2>/dev/null
    link_name=$(tr '\000' '\n' <"$tmp/link" | head -n 1)
    [ "$link_name" = "$(basename "$debug")" ] ||
        fail ".gnu_debuglink names '$link_name'; expected $(basename "$debug")"
    link_crc=$(tail -c 4 "$tmp/link" | od -An -tx4 | tr -d ' ')
    file_crc=$(gzip -c "$debug" | tail -c 8 | head -c 4 | od -An -tx4 | tr -d ' ')
    [ "$link_crc" = "$file_crc" ] ||
        fail ".gnu_debuglink CRC is $link_crc; $debug has $file_crc"
    if grep -q '^[.]debug_info ' "$tmp/sections"; then fail "$dll still carries .debug_info"; fi
    "$objdump" -h "$debug" | grep -q ' [.]debug_info ' || fail "$debug has no .debug_info"
    # The module's state is its instance handle alone: no other data, no
    # global constructor (nothing would run it), no guarded static.
    "$prefix-nm" "$debug" >"$tmp/symbols"
    state=$(awk '$2 ~ /^[dDbB]$/ && $3 !~ /^[.]/ && $3 !~ /^_*(data|bss)_(start|end)__$/ { sub(/^_/, "", $3); print $3 }' "$tmp/symbols" | tr '\n' ' ')
    [ "$state" = "g_moduleInstance " ] ||
        fail "data beside the instance handle: $state"
    made=$(grep -cE '_GLOBAL__sub_[ID]_|_ZGV' "$tmp/symbols")
    [ "$made" -eq 0 ] ||
        fail "$made global constructors or guarded statics: $(grep -E '_GLOBAL__sub_[ID]_|_ZGV' "$tmp/symbols" | tr '\n' ' ')"
    base=$(awk '/^ImageBase/ { print $2 }' "$tmp/p")
    entry=$(awk '/^AddressOfEntryPoint/ { print $2 }' "$tmp/p")
    where=$("$addr2line" -f -e "$debug" "$(printf '0x%x' $((0x$base + 0x$entry)))" | tr '\n' ' ')
    case "$where" in
    DllMain*dll_entry.cpp:*) ;;
    *) fail "the entry point symbolises as '$where'; expected DllMain in dll_entry.cpp" ;;
    esac
fi

echo "$(basename "$dll"): $size bytes (limit $limit)"
echo "sections (bytes): $(tr '\n' ' ' <"$tmp/sections")"
echo "imports: $(awk '{ print $1 }' "$tmp/imports" | sort | uniq -c | awk '{ printf "%s %d, ", $2, $1 }')HOSTRUN.dll by ordinal"
echo "from msvcrt.dll: $(awk 'toupper($1) == "MSVCRT.DLL" { printf "%s ", $2 }' "$tmp/imports")"
exit $status
