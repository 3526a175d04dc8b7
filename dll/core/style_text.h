// Style texts come from stored edit data, which the module does not trust to
// hold a NUL inside its field.
#pragma once

#include <cstddef>

// Copies the text in from[0..fromSize) up to its NUL, or all fromSize bytes
// when there is none, into to[0..toSize) as at most toSize - 1 characters and a
// NUL. Bytes of `to` after that NUL are left as they were. Returns the number
// of characters copied.
size_t CopyStyleText(char* to, size_t toSize, const char* from, size_t fromSize);
