// Unsigned decimal numbers as wsprintfA's "%2u", "%02u" and "%04u" print
// them, without a format string to parse: the calendar text prints three or
// four numbers on every draw.
#pragma once

#include <cstddef>
#include <cstdint>

// Room for the widest 32-bit number and the terminating zero.
constexpr size_t kDecimalTextSize = 11;

// Writes value with at least `width` characters (at most 10), padded on the
// left with `pad`, and a terminating zero; returns the number of characters.
size_t FormatDecimal(uint32_t value, int width, char pad, char* out);
