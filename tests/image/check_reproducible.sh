#!/bin/sh
# Builds CHRONYX.dll a second time, in a build folder of its own under this
# one, and checks that it and its debug file come out byte for byte the same
# as this build's: nothing of the time or of the build folder may get in.
# Usage: check_reproducible.sh CMAKE SOURCE_DIR DLL SECOND_BUILD_DIR GENERATOR TOOLCHAIN BUILD_TYPE
cmake=$1 sources=$2 dll=$3 second=$4 generator=$5 toolchain=$6 build_type=$7
status=0

if [ ! -f "$second/CMakeCache.txt" ]; then
    "$cmake" -S "$sources" -B "$second" -G "$generator" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DCMAKE_BUILD_TYPE="$build_type" >"$second.log" 2>&1 ||
        { echo "configuring the second build failed:"; cat "$second.log"; exit 1; }
fi
"$cmake" --build "$second" --target CHRONYX >"$second.log" 2>&1 ||
    { echo "the second build failed:"; cat "$second.log"; exit 1; }

for file in "$dll" "$dll.debug"; do
    again=$second/$(basename "$file")
    if cmp -s "$file" "$again"; then
        echo "$(basename "$file"): $(wc -c <"$file") bytes, the same from both builds"
    else
        echo "FAIL: $file ($(wc -c <"$file") bytes) and $again ($(wc -c <"$again") bytes) differ;"
        echo "first differing bytes (offset, octal values):"
        cmp -l "$file" "$again" | head -n 8
        status=1
    fi
done
exit $status
