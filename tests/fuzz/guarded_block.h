// A heap block with a patterned, poisoned guard on each side: under
// AddressSanitizer any touch of a guard faults at once, and without it the
// pattern still shows a write once CheckGuards looks.
#pragma once

#include <cstddef>
#include <cstdint>

namespace fuzz {

constexpr size_t kGuardBytes = 64;
constexpr uint8_t kGuardPattern = 0xA7;

struct GuardedBlock {
    uint8_t* base; // guard, body, guard
    size_t bodySize;
};

// The body is zero-filled and 8-byte aligned, as a host's allocation is.
GuardedBlock NewGuardedBlock(size_t bodySize);
inline uint8_t* Body(const GuardedBlock& b) {
    return b.base + kGuardBytes;
}
// Empty when both guards are intact, else a description of the first bad byte.
const char* CheckGuards(const GuardedBlock& b);
void FreeGuardedBlock(GuardedBlock* b);

// Offset of the first of n bytes that is not v, or n when all are.
size_t FirstByteNot(const uint8_t* p, size_t n, uint8_t v);

// True when guards are poisoned, so that a touch faults at once and the
// pattern needs no scanning between calls.
bool GuardsFaultOnTouch();

// Marks memory the module must not touch at all (a no-op without ASan).
void PoisonRegion(const void* p, size_t n);
void UnpoisonRegion(const void* p, size_t n);

} // namespace fuzz
