// The events a Clock object owes its host, worked out from every frame's
// reading of the clock: a unit counts as changed once the unit below it has
// changed (second, minute, hour on the time displays; hour, then day, month,
// year on the calendar), so that a unit moved by a clock setting is owed when
// the unit below it next moves.
#pragma once

#include <cstdint>

#include "winapi/windows_api.h"

namespace soak {

struct ChangeOracle {
    bool calendar = false;
    int second = 0, minute = 0, hour = 0, day = 0, month = 0, year = 0;
    int64_t owed[7] = {}; // by event code, 1..6

    // Everything in this reading counts as already seen.
    void Refresh(const SYSTEMTIME& t);
    void Observe(const SYSTEMTIME& t);
};

} // namespace soak
