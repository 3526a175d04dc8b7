#!/bin/sh
# Checks CHRONYX.dll's PE tables, 32-bit or x64, as objdump reads them: exactly the exports of
# the table below (name and ordinal, no ordinal-only extras); the host's operations of
# the list imported from HOSTRUN.dll by ordinal, without names; and no DLL
# imported beyond Windows' own and HOSTRUN.dll (msvcrt.dll among them, for the C routines).
# Usage: check_pe_tables.sh OBJDUMP DLL OPERATIONS WINDOWS_IMPORTS, where
# OPERATIONS is contract/host_operation_list.inc and WINDOWS_IMPORTS is
# dll/resources/windows_imports.inc.
objdump=$1 dll=$2 list=$3 windows_imports=$4
# shellcheck source=tests/image/allowed_imports.sh
. "$(dirname "$0")/allowed_imports.sh"
dump=$(mktemp) && trap 'rm -f "$dump" "$dump".*' EXIT
"$objdump" -p "$dll" >"$dump" || { echo "objdump failed on $dll"; exit 1; }
status=0

# What hosts bind to, as "ordinal name", in ordinal order: written out here
# rather than read from the list the build makes the exports from, so that a
# change to the list that moves or drops an entry point fails here.
cat >"$dump.expected" <<'EXPORTS'
2 GetInfos
3 DefaultOI
4 InitObject
5 ReinitObject
6 LoadObject
7 UnloadObject
8 PutObject
9 RemoveObject
10 MakeIcon
11 GetDesc
12 AppendPopup
13 SelectPopup
14 CreateObject
15 ModifyObject
16 RebuildExt
17 EndModifyObject
18 GetObjectCursor
19 GetObjectRect
20 EditorDisplay
21 IsTransparent
22 PrepareToWriteObject
23 UpdateFileNames
36 GetObjInfos
50 CreateRunObject
51 DestroyRunObject
52 HandleRunObject
53 DisplayRunObject
56 ReInitRunObject
57 PauseRunObject
58 ContinueRunObject
59 GetRunObjectInfos
60 GetConditionMenu
61 GetActionMenu
62 GetExpressionMenu
63 GetConditionCodeFromMenu
64 GetActionCodeFromMenu
65 GetExpressionCodeFromMenu
66 GetConditionString
67 GetActionString
68 GetExpressionString
69 InitParameter
70 EditParameter
71 GetParameterString
72 GetConditionTitle
73 GetActionTitle
74 GetExpressionTitle
75 GetConditionInfos
76 GetActionInfos
77 GetExpressionInfos
78 UpdateEditStructure
79 GetImageInfosRunObject
80 GetRunObjectDataSize
EXPORTS
awk '/^Ordinal Base/ { base = $3 }
     /^\[Ordinal\/Name Pointer\] Table/ { names = 1; next }
     names && /^\t\[/ { gsub(/[\[\]]/, " "); print $1 + base, $2; next }
     names { names = 0 }' "$dump" | sort -n >"$dump.names"
if ! diff "$dump.expected" "$dump.names" >"$dump.diff"; then
    echo "named exports differ from the table (< expected, > found):"; cat "$dump.diff"; status=1
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

allowed_libraries "$windows_imports" >"$dump.libraries"
grep -q . "$dump.libraries" || { echo "no libraries read from $windows_imports"; exit 1; }
for imported in $(sed -n 's/^\tDLL Name: //p' "$dump"); do
    grep -qxF "$(printf '%s' "$imported" | tr 'a-z' 'A-Z')" "$dump.libraries" ||
        { echo "imports $imported, which Windows does not provide"; status=1; }
done

echo "$expected exports checked; $(wc -l <"$dump.hostrun") HOSTRUN.dll imports, by ordinal"
exit $status
