// Reads a fuzz input front to back; past the end every read gives 0, so any
// input, however short, is a complete program.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace fuzz {

struct ByteReader {
    const uint8_t* data;
    size_t size;
    size_t pos;

    bool AtEnd() const { return pos >= size; }

    uint8_t U8() { return pos < size ? data[pos++] : 0; }

    uint16_t U16() {
        uint16_t lo = U8();
        return static_cast<uint16_t>(lo | (U8() << 8));
    }

    uint32_t U32() {
        uint32_t lo = U16();
        return lo | (static_cast<uint32_t>(U16()) << 16);
    }

    // Copies up to n bytes and zero-fills the rest.
    void Take(void* out, size_t n) {
        size_t have = pos < size ? size - pos : 0;
        size_t k = have < n ? have : n;
        std::memcpy(out, data + pos, k);
        std::memset(static_cast<uint8_t*>(out) + k, 0, n - k);
        pos += k;
    }
};

} // namespace fuzz
