// The module's arithmetic rules, each in one place. The 32-bit machine the
// module was designed for wraps on overflow and converts out-of-range doubles
// to 0x80000000; C++ leaves both undefined, so every such step goes through
// these helpers instead.
#pragma once

#include <cstdint>

constexpr int32_t kIntegerIndefinite = INT32_MIN; // what the x86 conversion gives

// Truncates toward zero; NaN or anything outside the 32-bit range gives
// 0x80000000, as the x86 conversion instruction does.
constexpr int32_t TruncToI32(double value) {
    if (!(value > -2147483649.0 && value < 2147483648.0)) return kIntegerIndefinite;
    return static_cast<int32_t>(value);
}

constexpr int32_t WrapAdd(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

constexpr int32_t WrapSub(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
}

constexpr int32_t WrapMul(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) * static_cast<uint32_t>(b));
}

// Absolute value as the machine computes it: |INT32_MIN| stays INT32_MIN.
constexpr int32_t WrapAbs(int32_t a) {
    return a < 0 ? WrapSub(0, a) : a;
}

// Low 16 bits, read as a signed 16-bit value.
constexpr int16_t Low16(int32_t a) {
    return static_cast<int16_t>(static_cast<uint16_t>(static_cast<uint32_t>(a) & 0xFFFFu));
}

// Division that truncates toward zero (C++ already does; named so the intent
// reads at the call), with the one overflowing case wrapped.
constexpr int32_t DivTrunc(int32_t a, int32_t b) {
    if (b == -1) return WrapSub(0, a);
    return a / b;
}
