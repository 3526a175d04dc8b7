// The simulated local clock behind a host's patched GetLocalTime and
// SetLocalTime. It stands still unless told to move, so that tests see exact
// values. Dates go to a day count and back with the civil calendar; advancing
// across any boundary is integer arithmetic.
#include "host/common/host_clock.h"

#include "platform/civil_calendar.h"

#include "host/common/import_patch.h"

namespace {

// Starts where Reset puts it: 2026-03-05 10:15:42.570, a Thursday.
SYSTEMTIME g_clock = {2026, 3, 4, 5, 10, 15, 42, 570};
SYSTEMTIME g_lastWrite;
int g_reads;
int g_writes;

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
    g_clock.wDayOfWeek = static_cast<WORD>(civil::WeekdayOf(time.wYear, time.wMonth, time.wDay));
}

SYSTEMTIME Now() {
    return g_clock;
}

void Advance(int64_t milliseconds) {
    g_clock = civil::Advance(g_clock, milliseconds);
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
    return civil::IsValidMoment(t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond,
                                t.wMilliseconds);
}

bool Install(HMODULE module) {
    const bool read = imports::Chain(module, "kernel32.dll", "GetLocalTime",
                                     reinterpret_cast<void*>(&SimulatedGetLocalTime), nullptr);
    const bool write = imports::Chain(module, "kernel32.dll", "SetLocalTime",
                                      reinterpret_cast<void*>(&SimulatedSetLocalTime), nullptr);
    return read && write;
}

} // namespace hostclock
