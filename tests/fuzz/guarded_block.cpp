#include "tests/fuzz/guarded_block.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#if defined(__SANITIZE_ADDRESS__)
#define CHX_HAVE_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define CHX_HAVE_ASAN 1
#endif
#endif

#ifdef CHX_HAVE_ASAN
#include <sanitizer/asan_interface.h>
#endif

namespace fuzz {

void PoisonRegion(const void* p, size_t n) {
#ifdef CHX_HAVE_ASAN
    __asan_poison_memory_region(p, n);
#else
    (void)p;
    (void)n;
#endif
}

void UnpoisonRegion(const void* p, size_t n) {
#ifdef CHX_HAVE_ASAN
    __asan_unpoison_memory_region(p, n);
#else
    (void)p;
    (void)n;
#endif
}

// Runs between every two calls: left to the guards' own poisoning rather than
// checked byte by byte.
#ifdef CHX_HAVE_ASAN
__attribute__((no_sanitize("address")))
#endif
size_t
FirstByteNot(const uint8_t* p, size_t n, uint8_t v) {
    for (size_t i = 0; i < n; ++i)
        if (p[i] != v) return i;
    return n;
}

bool GuardsFaultOnTouch() {
#ifdef CHX_HAVE_ASAN
    return true;
#else
    return false;
#endif
}

GuardedBlock NewGuardedBlock(size_t bodySize) {
    GuardedBlock b;
    b.bodySize = bodySize;
    // Rounded up to the shadow granule so that the trailing guard starts
    // exactly where the body ends.
    size_t padded = (bodySize + 7) & ~size_t{7};
    b.base = static_cast<uint8_t*>(std::malloc(kGuardBytes + padded + kGuardBytes));
    if (!b.base) std::abort();
    std::memset(b.base, kGuardPattern, kGuardBytes);
    std::memset(b.base + kGuardBytes, 0, bodySize);
    std::memset(b.base + kGuardBytes + bodySize, kGuardPattern, padded - bodySize + kGuardBytes);
    PoisonRegion(b.base, kGuardBytes);
    PoisonRegion(b.base + kGuardBytes + bodySize, padded - bodySize + kGuardBytes);
    return b;
}

const char* CheckGuards(const GuardedBlock& b) {
    static char message[96];
    size_t padded = (b.bodySize + 7) & ~size_t{7};
    size_t total = kGuardBytes + padded + kGuardBytes;
    UnpoisonRegion(b.base, total);
    const char* result = "";
    for (size_t i = 0; i < total; ++i) {
        if (i >= kGuardBytes && i < kGuardBytes + b.bodySize) continue;
        if (b.base[i] == kGuardPattern) continue;
        long offset = static_cast<long>(i) - static_cast<long>(kGuardBytes);
        std::snprintf(message, sizeof message,
                      "guard byte at body offset %ld is 0x%02X, not 0x%02X", offset, b.base[i],
                      kGuardPattern);
        result = message;
        break;
    }
    PoisonRegion(b.base, kGuardBytes);
    PoisonRegion(b.base + kGuardBytes + b.bodySize, total - kGuardBytes - b.bodySize);
    return result;
}

void FreeGuardedBlock(GuardedBlock* b) {
    if (!b->base) return;
    size_t padded = (b->bodySize + 7) & ~size_t{7};
    UnpoisonRegion(b->base, kGuardBytes + padded + kGuardBytes);
    std::free(b->base);
    b->base = nullptr;
}

} // namespace fuzz
