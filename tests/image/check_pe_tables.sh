#!/bin/sh
# Checks CHRONYX.dll's PE tables, 32-bit or x64, as objdump reads them: exactly the exports of
# the .def (name and ordinal, no ordinal-only extras); the host's operations of
# the list imported from HOSTRUN.dll by ordinal, without names; and no DLL
# imported beyond Windows' own and HOSTRUN.dll (msvcrt.dll among them, for the C routines).
# Usage: check_pe_tables.sh OBJDUMP DLL DEF OPERATIONS, where DEF is the decorated
# .def of the sources (the x64 image has the same names and ordinals) and
# OPERATIONS is contract/host_operation_list.inc.
objdump=$1 dll=$2 def=$3 list=$4
dump=$(mktemp) && trap 'rm -f "$dump" "$dump".*' EXIT
"$objdump" -p "$dll" >"$dump" || { echo "objdump failed on $dll"; exit 1; }
status=0

# "Name = Name@N @ordinal" lines of the .def, as "ordinal name".
sed -n 's/^\([A-Za-z_][A-Za-z0-9_]*\) *= *[^ ]* *@\([0-9][0-9]*\).*/\2 \1/p' "$def" |
    sort -n >"$dump.expected"
awk '/^Ordinal Base/ { base = $3 }
     /^\[Ordinal\/Name Pointer\] Table/ { names = 1; next }
     names && /^\t\[/ { gsub(/[\[\]]/, " "); print $1 + base, $2; next }
     names { names = 0 }' "$dump" | sort -n >"$dump.names"
if ! diff "$dump.expected" "$dump.names" >"$dump.diff"; then
    echo "named exports differ from $def (< expected, > found):"; cat "$dump.diff"; status=1
fi
addresses=$(grep -c '^\s*\[ *[0-9]*\] +base\[ *[0-9]*\] [0-9a-f]* Export RVA' "$dump")
expected=$(wc -l <"$dump.expected")
if [ "$addresses" -ne "$expected" ]; then
    echo "export address table has $addresses entries, expected $expected"; status=1
fi

# The ordinal is read from the thunk itself (its low 16 bits, the high bit
# saying "by ordinal"): objdump prints the ordinal column in decimal for PE32
# and in hexadecimal for PE32+.
awk '/DLL Name: / { inhost = ($3 == "HOSTRUN.dll"); next }
     inhost && /^\t[0-9a-f]+\t/ { print $1, $3 }' "$dump" |
    while read -r thunk name; do
        low=${thunk#"${thunk%????}"} # the last four hex digits
        echo "$((0x$low)) $name"
    done >"$dump.hostrun"
# The ordinals of the list's rows, "CHX_HOST_OPERATION(result, name, ordinal, ...".
operations=$(sed -n 's/^CHX_HOST_OPERATION([^,]*, *[A-Za-z0-9_]*, *\([0-9][0-9]*\),.*/\1/p' "$list" |
    sort -n | tr '\n' ' ' | sed 's/ $//')
[ -n "$operations" ] || { echo "no host operations read from $list"; exit 1; }
while read -r ordinal name; do
    if [ "$name" != "<none>" ]; then
        echo "HOSTRUN.dll import $ordinal carries the name $name"; status=1
    fi
    case " $operations " in
    *" $ordinal "*) ;;
    *) echo "HOSTRUN.dll import by unknown ordinal $ordinal"; status=1 ;;
    esac
done <"$dump.hostrun"
found=$(cut -d' ' -f1 "$dump.hostrun" | sort -n | tr '\n' ' ' | sed 's/ $//')
if [ "$found" != "$operations" ]; then
    echo "HOSTRUN.dll ordinals imported: $found; expected: $operations"; status=1
fi

for imported in $(sed -n 's/^\tDLL Name: //p' "$dump"); do
    case $(printf '%s' "$imported" | tr 'A-Z' 'a-z') in
    kernel32.dll | user32.dll | gdi32.dll | msvcrt.dll | hostrun.dll) ;;
    *) echo "imports $imported, which Windows does not provide"; status=1 ;;
    esac
done

echo "$expected exports checked; $(wc -l <"$dump.hostrun") HOSTRUN.dll imports, by ordinal"
exit $status
