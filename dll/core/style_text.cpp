#include "core/style_text.h"

size_t CopyStyleText(char* to, size_t toSize, const char* from, size_t fromSize) {
    if (toSize == 0) return 0; // GCOVR_EXCL_BR_LINE: every caller's field has room for the NUL
    size_t n = 0;
    // No caller's source is shorter than its destination, so its end is never
    // what stops the copy; the bound keeps the read inside it all the same.
    while (n < fromSize && n + 1 < toSize && from[n] != '\0') { // GCOVR_EXCL_BR_LINE
        to[n] = from[n];
        ++n;
    }
    to[n] = '\0';
    return n;
}
