// Ids of the string resources that the module reads at run time, as the list
// of the string table names them.
#pragma once

#include "contract/calendar_patterns.h"

#define CHX_STRING(id, text) // only the list's names for its groups are wanted here
#include "resources/string_list.inc"
#undef CHX_STRING

constexpr unsigned kStringMonthBase = CHX_STRING_MONTHS;     // + month 1..12
constexpr unsigned kStringWeekdayBase = CHX_STRING_WEEKDAYS; // + weekday 0..6
constexpr unsigned kStringPatternBase = CHX_STRING_PATTERNS; // + calendarPattern
constexpr int kBuiltinPatternCount = kCalendarPatternCount;
