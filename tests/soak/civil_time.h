// Local clock readings as a count of milliseconds, so that the soak can move
// the simulated clock by exact amounts and see how far an action moved it.
#pragma once

#include <cstdint>

#include "winapi/windows_api.h"

namespace soak {

// Milliseconds from 1970-01-01 00:00:00.000 to the given civil time.
int64_t MsOfCivil(int year, int month, int day, int hour, int minute, int second, int ms);
int64_t MsOf(const SYSTEMTIME& t);

// The module's time count of a reading: hundredths from a fixed point of the
// year on a table of 365-day years, computed here on its own so that the
// soak can tell when the module will see a clock jump.
int64_t TimeCountOf(const SYSTEMTIME& t);

} // namespace soak
