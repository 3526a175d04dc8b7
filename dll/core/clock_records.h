// The local clock in the narrow form the module works with. Every use reads
// the clock afresh; nothing keeps it in any other form.
#pragma once

#include <cstdint>

#include "winapi/windows_api.h"

#pragma pack(push, 1)

struct TimeOfDay {
    uint8_t hour;       // 0..23
    uint8_t minute;     // 0..59
    uint8_t second;     // 0..59
    uint8_t hundredths; // 0..99
};

struct CalendarDate {
    uint8_t day;     // 1..31
    uint8_t month;   // 1..12
    uint32_t year;   // full year, the 16-bit Windows year widened without sign
    uint8_t weekday; // 0 = Sunday
};

#pragma pack(pop)

static_assert(sizeof(TimeOfDay) == 4);
static_assert(sizeof(CalendarDate) == 7);

// The readers are inline: the per-frame sample reads both on every twelfth
// call of every object (kLastQuietCall in frame_update.cpp), and a call each
// would cost more than the conversion.
// gcov counts each C call's exception edge, and gcovr cannot tell it for a
// throw edge once an inline function is merged from several units: hence the
// markers on the calls below, which never throw.
inline void ReadTimeOfDay(TimeOfDay* time) {
    SYSTEMTIME now;
    GetLocalTime(&now); // GCOVR_EXCL_BR_LINE: a C call's exception edge
    time->hour = static_cast<uint8_t>(now.wHour);
    time->minute = static_cast<uint8_t>(now.wMinute);
    time->second = static_cast<uint8_t>(now.wSecond);
    time->hundredths = static_cast<uint8_t>(now.wMilliseconds / 10);
}

inline void ReadCalendarDate(CalendarDate* date) {
    SYSTEMTIME now;
    GetLocalTime(&now); // GCOVR_EXCL_BR_LINE: a C call's exception edge
    date->day = static_cast<uint8_t>(now.wDay);
    date->month = static_cast<uint8_t>(now.wMonth);
    date->year = now.wYear;
    date->weekday = static_cast<uint8_t>(now.wDayOfWeek);
}

// The writers check no ranges and do not report whether the clock was set.
void WriteTimeOfDay(const TimeOfDay* time);
void WriteCalendarDate(const CalendarDate* date);
