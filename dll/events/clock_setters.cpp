// The eight clock setters. Each changes one field of the computer's local
// clock; all share the bounds test and what follows a change.
#include "core/clock_records.h"
#include "events/redisplay.h"
#include "events/routines.h"
#include "winapi/windows_api.h"

namespace {

typedef void (*ClockChange)(int32_t value);

// An out-of-range value leaves no trace at all. A refused write (an impossible
// date, no right to set the time) is not detected: other programs are told
// about the change either way, and the object is drawn again.
int16_t SetClockField(RunData* run, int32_t value, int32_t lowest, int32_t highest,
                      ClockChange change) {
    if (value < lowest || value > highest) return 0;
    change(value);
    SendMessageA(HWND_BROADCAST, WM_TIMECHANGE, 0, 0);
    AskRedisplay(run);
    return 0;
}

// The time record carries all four time fields, so a time setter also writes
// back the others as read, hundredths and all.
template <uint8_t TimeOfDay::*Field> void ChangeTime(int32_t value) {
    TimeOfDay time;
    ReadTimeOfDay(&time);
    time.*Field = static_cast<uint8_t>(value);
    WriteTimeOfDay(&time);
}

template <uint8_t CalendarDate::*Field> void ChangeDate(int32_t value) {
    CalendarDate date;
    ReadCalendarDate(&date);
    date.*Field = static_cast<uint8_t>(value);
    WriteCalendarDate(&date);
}

void ChangeYear(int32_t value) {
    CalendarDate date;
    ReadCalendarDate(&date);
    date.year = static_cast<uint32_t>(value);
    WriteCalendarDate(&date);
}

} // namespace

extern "C" int16_t WINAPI SetHundredths(RunData* run, int32_t value, int32_t) {
    return SetClockField(run, value, 0, 99, ChangeTime<&TimeOfDay::hundredths>);
}

extern "C" int16_t WINAPI SetSeconds(RunData* run, int32_t value, int32_t) {
    return SetClockField(run, value, 0, 59, ChangeTime<&TimeOfDay::second>);
}

extern "C" int16_t WINAPI SetMinutes(RunData* run, int32_t value, int32_t) {
    return SetClockField(run, value, 0, 59, ChangeTime<&TimeOfDay::minute>);
}

extern "C" int16_t WINAPI SetHours(RunData* run, int32_t value, int32_t) {
    return SetClockField(run, value, 0, 23, ChangeTime<&TimeOfDay::hour>);
}

// Windows takes the weekday from the date and ignores this one, so the clock
// stays as it was; the broadcast and the redisplay happen all the same.
extern "C" int16_t WINAPI SetDayOfWeek(RunData* run, int32_t value, int32_t) {
    return SetClockField(run, value, 0, 6, ChangeDate<&CalendarDate::weekday>);
}

// No test against the month's length: Windows refuses an impossible date.
extern "C" int16_t WINAPI SetDayOfMonth(RunData* run, int32_t value, int32_t) {
    return SetClockField(run, value, 1, 31, ChangeDate<&CalendarDate::day>);
}

extern "C" int16_t WINAPI SetMonth(RunData* run, int32_t value, int32_t) {
    return SetClockField(run, value, 1, 12, ChangeDate<&CalendarDate::month>);
}

extern "C" int16_t WINAPI SetYear(RunData* run, int32_t value, int32_t) {
    return SetClockField(run, value, 1980, 2099, ChangeYear);
}
