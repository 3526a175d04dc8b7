// The time count: whole hundredths of a second from a fixed point of the
// current year, held in a double. It is never 0, so 0 means "none".
#pragma once

#include <cstdint>

#include "core/clock_records.h"

// Hundredths before the first of each month in a year of 365 days.
extern const double DaysBeforeMonth[12];

constexpr double kHundredthsPerDay = 8640000.0;
constexpr double kHundredthsPerHour = 360000.0;
constexpr double kHundredthsPerMinute = 6000.0;
constexpr double kHundredthsPerSecond = 100.0;

inline double TimeCountOf(const TimeOfDay* time, const CalendarDate* date) {
    // A clock never shows month 0 or 13, but a bad reading must not index
    // outside the table.
    unsigned month = date->month;
    // GCOVR_EXCL_BR_START: a guard of the table index, which no reading reaches
    double monthBase = (month >= 1 && month <= 12) ? DaysBeforeMonth[month - 1] : 0.0;
    // GCOVR_EXCL_BR_STOP
    // Every term is a whole number; even from bytes at 255 the rest stays below
    // 2^32, so summing it as an integer and converting once gives the very
    // double the term-by-term sum gives, at a fraction of the cost per sample.
    constexpr auto perDay = static_cast<uint32_t>(kHundredthsPerDay);
    constexpr auto perHour = static_cast<uint32_t>(kHundredthsPerHour);
    constexpr auto perMinute = static_cast<uint32_t>(kHundredthsPerMinute);
    constexpr auto perSecond = static_cast<uint32_t>(kHundredthsPerSecond);
    uint32_t rest = date->day * perDay + time->hour * perHour + time->minute * perMinute +
                    time->second * perSecond + time->hundredths;
    return monthBase + static_cast<double>(rest);
}

double CurrentTimeCount();
