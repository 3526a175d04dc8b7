// Ids of the string resources that the module reads at run time.
#pragma once

constexpr unsigned kStringMonthBase = 20209;   // + month 1..12
constexpr unsigned kStringWeekdayBase = 20222; // + weekday 0..6
constexpr unsigned kStringPatternBase = 20400; // + calendarPattern 0..6
constexpr int kBuiltinPatternCount = 7;
