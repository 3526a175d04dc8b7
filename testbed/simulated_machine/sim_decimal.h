// Unsigned decimal numbers as wsprintfA's "%u", "%2u", "%02u" and "%04u"
// print them. The simulated wsprintfA formats with this rather than the C
// library's printf, which costs far more than the Windows formatter it stands
// in for and would skew every measurement of the module's own work.
#pragma once

#include <cstddef>
#include <cstdint>

// Room for the widest 32-bit number and the terminating zero.
constexpr size_t kDecimalTextSize = 11;

// Writes value with at least `width` characters (at most 10), padded on the
// left with `pad`, and a terminating zero; returns the number of characters.
// Inline: days, months and two-digit years take the first branch.
inline size_t FormatDecimal(uint32_t value, int width, char pad, char* out) {
    if (value < 100 && width == 2) {
        out[0] = value < 10 ? pad : static_cast<char>('0' + value / 10);
        out[1] = static_cast<char>('0' + value % 10);
        out[2] = '\0';
        return 2;
    }
    char digits[kDecimalTextSize];
    size_t count = 0;
    do {
        digits[count++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    size_t length = 0;
    for (int i = static_cast<int>(count); i < width && length + count < kDecimalTextSize - 1; ++i)
        out[length++] = pad;
    while (count > 0)
        out[length++] = digits[--count];
    out[length] = '\0';
    return length;
}
