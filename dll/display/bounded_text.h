// Appending to a fixed text buffer without ever passing its end: whatever
// does not fit is cut off, and the buffer always stays zero-terminated.
#pragma once

#include <cstddef>
#include <cstring>

// A text built piece by piece in a fixed buffer that remembers its length, so
// that each append costs only the piece. Starts on an empty buffer.
struct BoundedText {
    char* out;
    size_t capacity; // > 0
    size_t used;

    void Append(const char* piece, size_t pieceLength) {
        size_t room = capacity - 1 - used;
        if (pieceLength > room) pieceLength = room;
        std::memcpy(out + used, piece, pieceLength);
        used += pieceLength;
        out[used] = '\0';
    }

    void Append(char c) {
        if (used + 1 >= capacity) return;
        out[used++] = c;
        out[used] = '\0';
    }
};
