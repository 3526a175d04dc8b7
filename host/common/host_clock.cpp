// The shared clock core behind a host's patched GetLocalTime and SetLocalTime.
#include "host/common/host_clock.h"

#include "base/clock_core.h"
#include "host/common/import_patch.h"

namespace {

simclock::ClockCore g_clock;

void WINAPI SimulatedGetLocalTime(SYSTEMTIME* time) {
    *time = simclock::ReadClock(&g_clock);
}

BOOL WINAPI SimulatedSetLocalTime(const SYSTEMTIME* time) {
    if (simclock::WriteClock(&g_clock, *time)) return TRUE;
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
}

} // namespace

namespace hostclock {

void Reset() {
    g_clock = simclock::ClockCore{};
}

void Set(const SYSTEMTIME& time) {
    simclock::SetClock(&g_clock, time);
}

SYSTEMTIME Now() {
    return g_clock.now;
}

void Advance(int64_t milliseconds) {
    simclock::AdvanceClock(&g_clock, milliseconds);
}

int Reads() {
    return g_clock.reads;
}

int Writes() {
    return g_clock.writes;
}

SYSTEMTIME LastWrite() {
    return g_clock.lastWrite;
}

bool IsValid(const SYSTEMTIME& time) {
    return simclock::IsValidMoment(time);
}

bool Install(HMODULE module) {
    const bool read = imports::Chain(module, "kernel32.dll", "GetLocalTime",
                                     reinterpret_cast<void*>(&SimulatedGetLocalTime), nullptr);
    const bool write = imports::Chain(module, "kernel32.dll", "SetLocalTime",
                                      reinterpret_cast<void*>(&SimulatedSetLocalTime), nullptr);
    return read && write;
}

} // namespace hostclock
