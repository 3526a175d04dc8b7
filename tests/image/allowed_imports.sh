# What the image checks allow CHRONYX.dll to import, read from
# dll/resources/windows_imports.inc (LIST below); sourced by them.

# "LIBRARY.DLL function", one a line.
allowed_functions() {
    sed -n 's/^CHX_WINDOWS_IMPORT(\([A-Z0-9]*\), *\([A-Za-z0-9_]*\)).*/\1.DLL \2/p' "$1"
}

# Each library the list names, as "LIBRARY.DLL", and HOSTRUN.DLL, whose
# operations come by ordinal from contract/host_operation_list.inc.
allowed_libraries() {
    { allowed_functions "$1" | cut -d' ' -f1; echo HOSTRUN.DLL; } | sort -u
}
