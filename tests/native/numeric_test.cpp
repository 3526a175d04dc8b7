// The arithmetic helpers at the edges of their ranges, where the 32-bit
// machine's rules and C++'s part ways.
#include <gtest/gtest.h>

#include <cmath>
#include <iomanip>
#include <limits>

#include "core/numeric.h"

namespace {

// A table row: a value and what the helper makes of it.
template <class T> struct Given {
    T value;
    int32_t expected;
};

TEST(Numeric, TruncToI32AtTheEdgesOfTheRange) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const Given<double> cases[] = {
        {2147483647.0, 2147483647},
        {2147483647.99, 2147483647},
        {2147483648.0, INT32_MIN},
        {-2147483648.0, INT32_MIN},
        {-2147483648.99, INT32_MIN},
        {-2147483649.0, INT32_MIN},
        {-2147483647.5, -2147483647},
        {-0.99, 0},
        {0.99, 0},
        {-1.5, -1},
        {nan, INT32_MIN},
        {inf, INT32_MIN},
        {-inf, INT32_MIN},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, TruncToI32(c.value)) << std::setprecision(17) << c.value;
}

TEST(Numeric, WrapAbsAsTheMachineComputesIt) {
    const Given<int32_t> cases[] = {
        {0, 0},
        {1, 1},
        {-1, 1},
        {-2, 2},
        {INT32_MAX, INT32_MAX},
        {-INT32_MAX, INT32_MAX},
        {INT32_MIN, INT32_MIN}, // no positive counterpart: it wraps to itself
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, WrapAbs(c.value)) << "WrapAbs(" << c.value << ")";
}

// The one quotient outside the range traps on x86 rather than wrapping.
TEST(Numeric, DivTruncWrapsTheOneOverflowingQuotient) {
    const struct {
        int32_t a, b, expected;
    } cases[] = {
        {INT32_MIN, -1, INT32_MIN},
        {7, -1, -7},
        {-7, 2, -3},
        {INT32_MIN, 2, INT32_MIN / 2},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, DivTrunc(c.a, c.b)) << "DivTrunc(" << c.a << ", " << c.b << ")";
}

} // namespace
