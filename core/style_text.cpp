#include "core/style_text.h"

size_t CopyStyleText(char* to, size_t toSize, const char* from, size_t fromSize) {
    if (toSize == 0) return 0;
    size_t n = 0;
    while (n < fromSize && n + 1 < toSize && from[n] != '\0') {
        to[n] = from[n];
        ++n;
    }
    to[n] = '\0';
    return n;
}
