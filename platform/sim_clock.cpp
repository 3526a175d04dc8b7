// The simulated local clock. Dates are turned into a day count and back with
// the civil calendar, so that advancing the clock across any month or year
// boundary is plain integer arithmetic.
#include <cstdint>

#include "platform/civil_calendar.h"
#include "platform/sim_machine.h"
#include "platform/sim_state.h"

namespace sim {

int WeekdayOf(int year, int month, int day) {
    return civil::WeekdayOf(year, month, day);
}

bool IsValidSystemTime(const SYSTEMTIME& t) {
    return civil::IsValidMoment(t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond,
                                t.wMilliseconds);
}

void SetClock(int year, int month, int day, int hour, int minute, int second, int millisecond) {
    SYSTEMTIME& c = state().clock;
    c.wYear = static_cast<WORD>(year);
    c.wMonth = static_cast<WORD>(month);
    c.wDay = static_cast<WORD>(day);
    c.wHour = static_cast<WORD>(hour);
    c.wMinute = static_cast<WORD>(minute);
    c.wSecond = static_cast<WORD>(second);
    c.wMilliseconds = static_cast<WORD>(millisecond);
    c.wDayOfWeek = static_cast<WORD>(WeekdayOf(year, month, day));
}

SYSTEMTIME Clock() {
    return state().clock;
}

void AdvanceClock(int64_t milliseconds) {
    state().clock = civil::Advance(state().clock, milliseconds);
}

int ClockReads() {
    return state().clockReads;
}
int ClockWrites() {
    return state().clockWrites;
}

} // namespace sim

extern "C" void WINAPI GetLocalTime(LPSYSTEMTIME time) {
    ++sim::state().clockReads;
    *time = sim::state().clock;
}

// Like Windows: an impossible date or time is refused and the clock kept; the
// weekday passed is ignored and taken from the date.
extern "C" BOOL WINAPI SetLocalTime(const SYSTEMTIME* time) {
    ++sim::state().clockWrites;
    sim::Record("SetLocalTime", {time->wYear, time->wMonth, time->wDayOfWeek, time->wDay,
                                 time->wHour, time->wMinute, time->wSecond, time->wMilliseconds});
    if (!sim::IsValidSystemTime(*time)) return FALSE;
    sim::SetClock(time->wYear, time->wMonth, time->wDay, time->wHour, time->wMinute, time->wSecond,
                  time->wMilliseconds);
    return TRUE;
}
