#include "display/decimal_text.h"

size_t FormatDecimal(uint32_t value, int width, char pad, char* out) {
    // Days, months and two-digit years: the common case, digit by digit.
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
