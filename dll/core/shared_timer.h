// The shared timer behind both the chronometer and the countdown: the pair
// chronoStart (time count of the last start, 0 = stopped) and chronoElapsed
// (hundredths banked). Every reading of it goes through here.
#pragma once

#include <cstdint>

#include "core/records.h"

// Stopped is a start of 0.0 or -0.0, which compare equal; any other value,
// the smallest denormal and a NaN among them, counts as running.
inline bool TimerRunning(const RunData* run) {
    return run->chronoStart != 0.0;
}

// Whole hundredths since the last start, or 0 while stopped.
int32_t TimerRunningPart(const RunData* run);

// The chronometer: the bank plus the running part, 32-bit wrapping.
int32_t TimerValue(const RunData* run);

// The countdown: countdownStart minus the timer value, never below 0.
int32_t CountdownRemaining(const RunData* run);
