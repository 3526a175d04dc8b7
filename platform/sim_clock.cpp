// The simulated local clock. Dates are turned into a day count and back with
// the civil-calendar algorithms below, so that advancing the clock across any
// month or year boundary is plain integer arithmetic.
#include <cstdint>

#include "platform/sim_machine.h"
#include "platform/sim_state.h"

namespace {

// Days from 1970-01-01 to y-m-d in the proleptic Gregorian calendar.
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);            // [0, 399]
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1; // [0, 365]
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;           // [0, 146096]
    return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

void CivilFromDays(int64_t z, int* year, int* month, int* day) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    *year = static_cast<int>(static_cast<int64_t>(yoe) + era * 400 + (m <= 2));
    *month = static_cast<int>(m);
    *day = static_cast<int>(d);
}

bool IsLeap(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int DaysInMonth(int y, int m) {
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return (m == 2 && IsLeap(y)) ? 29 : kDays[m - 1];
}

} // namespace

namespace sim {

int WeekdayOf(int year, int month, int day) {
    int64_t days = DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day));
    // 1970-01-01 was a Thursday (4).
    return static_cast<int>(((days % 7) + 7 + 4) % 7);
}

bool IsValidSystemTime(const SYSTEMTIME& t) {
    if (t.wYear < 1601 || t.wYear > 30827) return false;
    if (t.wMonth < 1 || t.wMonth > 12) return false;
    if (t.wDay < 1 || t.wDay > DaysInMonth(t.wYear, t.wMonth)) return false;
    return t.wHour < 24 && t.wMinute < 60 && t.wSecond < 60 && t.wMilliseconds < 1000;
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
    const SYSTEMTIME& c = state().clock;
    const int64_t kMsPerDay = 86400000;
    int64_t ms = DaysFromCivil(c.wYear, c.wMonth, c.wDay) * kMsPerDay +
                 ((c.wHour * 60 + c.wMinute) * 60 + c.wSecond) * 1000 + c.wMilliseconds +
                 milliseconds;
    int64_t days = ms >= 0 ? ms / kMsPerDay : -((-ms + kMsPerDay - 1) / kMsPerDay);
    int64_t inDay = ms - days * kMsPerDay;
    int year, month, day;
    CivilFromDays(days, &year, &month, &day);
    SetClock(year, month, day, static_cast<int>(inDay / 3600000),
             static_cast<int>(inDay / 60000 % 60), static_cast<int>(inDay / 1000 % 60),
             static_cast<int>(inDay % 1000));
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
