// A moment of the clock as one line, weekday included, so that a failed
// comparison shows every field at once.
#pragma once

#include <cstdio>
#include <string>

#include "simulated_machine/sim_machine.h"

inline std::string ShowMoment(const SYSTEMTIME& t) {
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d (%d) %02d:%02d:%02d.%03d", t.wYear, t.wMonth,
                  t.wDay, t.wDayOfWeek, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds);
    return text;
}
