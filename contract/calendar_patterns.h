// The built-in date patterns a calendar object chooses among with
// calendarPattern, in the order of their numbers.
#pragma once

constexpr const char* kCalendarPatterns[] = {
#define CHX_CALENDAR_PATTERN(number, text) text,
#include "contract/calendar_pattern_list.inc"
#undef CHX_CALENDAR_PATTERN
};
constexpr int kCalendarPatternCount = sizeof kCalendarPatterns / sizeof kCalendarPatterns[0];
