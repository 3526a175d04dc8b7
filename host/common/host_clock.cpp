// The simulated local clock behind a host's patched GetLocalTime and
// SetLocalTime. It stands still unless told to move, so that tests see exact
// values. Dates go to a day count and back with the civil-calendar
// algorithms below; advancing across any boundary is integer arithmetic.
#include "host/common/host_clock.h"

#include "host/common/import_patch.h"

namespace {

// Starts where Reset puts it: 2026-03-05 10:15:42.570, a Thursday.
SYSTEMTIME g_clock = {2026, 3, 4, 5, 10, 15, 42, 570};
SYSTEMTIME g_lastWrite;
int g_reads;
int g_writes;

// Days from 1970-01-01 to y-m-d in the proleptic Gregorian calendar.
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

void CivilFromDays(int64_t z, int* year, int* month, int* day) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    *day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    *month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    *year = static_cast<int>(static_cast<int64_t>(yoe) + era * 400 + (*month <= 2));
}

WORD WeekdayOf(int64_t days) {
    return static_cast<WORD>(((days % 7) + 7 + 4) % 7); // 1970-01-01 was a Thursday
}

int DaysInMonth(int y, int m) {
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    return (m == 2 && leap) ? 29 : kDays[m - 1];
}

void WINAPI SimulatedGetLocalTime(SYSTEMTIME* time) {
    ++g_reads;
    *time = g_clock;
}

// As Windows: an impossible date or time is refused, and the weekday comes
// from the date whatever the caller passed.
BOOL WINAPI SimulatedSetLocalTime(const SYSTEMTIME* time) {
    ++g_writes;
    g_lastWrite = *time;
    if (!hostclock::IsValid(*time)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    hostclock::Set(*time);
    return TRUE;
}

} // namespace

namespace hostclock {

void Reset() {
    SYSTEMTIME t = {};
    t.wYear = 2026;
    t.wMonth = 3;
    t.wDay = 5;
    t.wHour = 10;
    t.wMinute = 15;
    t.wSecond = 42;
    t.wMilliseconds = 570;
    Set(t);
    g_lastWrite = SYSTEMTIME{};
    g_reads = 0;
    g_writes = 0;
}

void Set(const SYSTEMTIME& time) {
    g_clock = time;
    g_clock.wDayOfWeek = WeekdayOf(DaysFromCivil(time.wYear, time.wMonth, time.wDay));
}

SYSTEMTIME Now() {
    return g_clock;
}

void Advance(int64_t milliseconds) {
    const int64_t kMsPerDay = 86400000;
    int64_t ms = DaysFromCivil(g_clock.wYear, g_clock.wMonth, g_clock.wDay) * kMsPerDay +
                 ((g_clock.wHour * 60 + g_clock.wMinute) * 60 + g_clock.wSecond) * 1000 +
                 g_clock.wMilliseconds + milliseconds;
    int64_t days = ms / kMsPerDay;
    int64_t rest = ms % kMsPerDay;
    if (rest < 0) {
        rest += kMsPerDay;
        --days;
    }
    int year, month, day;
    CivilFromDays(days, &year, &month, &day);
    g_clock.wYear = static_cast<WORD>(year);
    g_clock.wMonth = static_cast<WORD>(month);
    g_clock.wDay = static_cast<WORD>(day);
    g_clock.wDayOfWeek = WeekdayOf(days);
    g_clock.wMilliseconds = static_cast<WORD>(rest % 1000);
    rest /= 1000;
    g_clock.wSecond = static_cast<WORD>(rest % 60);
    rest /= 60;
    g_clock.wMinute = static_cast<WORD>(rest % 60);
    g_clock.wHour = static_cast<WORD>(rest / 60);
}

int Reads() {
    return g_reads;
}

int Writes() {
    return g_writes;
}

SYSTEMTIME LastWrite() {
    return g_lastWrite;
}

bool IsValid(const SYSTEMTIME& t) {
    if (t.wYear < 1601 || t.wYear > 30827) return false;
    if (t.wMonth < 1 || t.wMonth > 12) return false;
    if (t.wDay < 1 || t.wDay > DaysInMonth(t.wYear, t.wMonth)) return false;
    return t.wHour < 24 && t.wMinute < 60 && t.wSecond < 60 && t.wMilliseconds < 1000;
}

bool Install(HMODULE module) {
    const bool read = PatchImport(module, "kernel32.dll", "GetLocalTime",
                                  reinterpret_cast<void*>(&SimulatedGetLocalTime), nullptr);
    const bool write = PatchImport(module, "kernel32.dll", "SetLocalTime",
                                   reinterpret_cast<void*>(&SimulatedSetLocalTime), nullptr);
    return read && write;
}

} // namespace hostclock
