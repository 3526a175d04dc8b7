// A simulated local clock for hosts running the real DLL under Wine. It
// behaves as Windows does: SetLocalTime refuses an impossible date or time
// and takes the weekday from the date. Install patches the module's
// imports of GetLocalTime and SetLocalTime so that it runs on this clock.
#pragma once

#include <cstdint>

#include <windows.h>

namespace hostclock {

// Back to civil::kDefaultMoment, counters at 0.
void Reset();
void Set(const SYSTEMTIME& time); // the weekday is computed from the date
SYSTEMTIME Now();
void Advance(int64_t milliseconds); // signed; crosses days, months, years
int Reads();
int Writes(); // SetLocalTime calls, accepted or not
// The record exactly as handed to the last SetLocalTime, accepted or not.
SYSTEMTIME LastWrite();
bool IsValid(const SYSTEMTIME& time);

// Patches `module`'s kernel32 imports; false if either is missing.
bool Install(HMODULE module);

} // namespace hostclock
