// The calendar's own number printing must print exactly what wsprintfA prints
// for the same format, on every value a date part can hold after it is
// widened to 32 bits without sign, negative ones included.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "simulated_machine/sim_decimal.h"

namespace {

TEST(DecimalText, PrintsAsTheFormatsDo) {
    struct Format {
        const char* format;
        int width;
        char pad;
    };
    const Format kFormats[] = {{"%2u", 2, ' '}, {"%02u", 2, '0'}, {"%04u", 4, '0'}, {"%u", 0, ' '}};
    const uint32_t kValues[] = {0,        1,         5,         9,          10,         31,
                                99,       100,       999,       1995,       2026,       9999,
                                10000,    32767,     65535,     0xFFFF8000, 0xFFFFFF9D, 0xFFFFFFFF,
                                12345678, 999999999, 1000000000};
    for (const Format& f : kFormats) {
        for (uint32_t value : kValues) {
            char expected[32], got[kDecimalTextSize + 8];
            std::snprintf(expected, sizeof expected, f.format, value);
            std::memset(got, 0x7E, sizeof got);
            size_t length = FormatDecimal(value, f.width, f.pad, got);
            EXPECT_STREQ(expected, got) << f.format << " of " << value;
            EXPECT_EQ(std::strlen(expected), length) << f.format << " of " << value;
            EXPECT_EQ(0x7E, static_cast<unsigned char>(got[length + 1]))
                << f.format << " of " << value << ": wrote past the terminating zero";
        }
    }
}

} // namespace
