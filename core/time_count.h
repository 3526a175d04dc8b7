// The time count: whole hundredths of a second from a fixed point of the
// current year, held in a double. It is never 0, so 0 means "none".
#pragma once

#include "core/clock_records.h"

// Hundredths before the first of each month in a year of 365 days.
extern const double DaysBeforeMonth[12];

constexpr double kHundredthsPerDay = 8640000.0;
constexpr double kHundredthsPerHour = 360000.0;
constexpr double kHundredthsPerMinute = 6000.0;
constexpr double kHundredthsPerSecond = 100.0;

double TimeCountOf(const TimeOfDay* time, const CalendarDate* date);
double CurrentTimeCount();
