// The values each clock setter takes, by action index (SetHundredths to
// SetYear); one outside them leaves the clock alone.
#pragma once

#include <cstdint>

namespace fuzz {

struct Bounds {
    int32_t low, high;
};
constexpr int kClockSetters = 8;
constexpr Bounds kSetterBounds[kClockSetters] = {{0, 99}, {0, 59}, {0, 59}, {0, 23},
                                                 {0, 6},  {1, 31}, {1, 12}, {1980, 2099}};

} // namespace fuzz
