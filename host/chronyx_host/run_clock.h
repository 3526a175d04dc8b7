// The host's clock as the module sees it, and the two ways a moment is
// written: as Windows holds it and as the scenario and the log show it.
#pragma once

#include <windows.h>

#include "host/chronyx_host/scenario.h"

ClockMoment MomentOf(const SYSTEMTIME& t);
SYSTEMTIME SystemTimeOf(const ClockMoment& m);

// The simulated clock, or with `realClock` the machine's own.
ClockMoment HostNow(bool realClock);
