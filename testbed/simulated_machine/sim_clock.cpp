// The simulated local clock: the shared clock core, with every write
// recorded in the call log.
#include <cstdint>

#include "simulated_machine/sim_state.h"

namespace sim {

int WeekdayOf(int year, int month, int day) {
    return civil::WeekdayOf(year, month, day);
}

bool IsValidSystemTime(const SYSTEMTIME& t) {
    return simclock::IsValidMoment(t);
}

void SetClock(int year, int month, int day, int hour, int minute, int second, int millisecond) {
    SetClock(civil::Moment(year, month, day, hour, minute, second, millisecond));
}

void SetClock(const SYSTEMTIME& moment) {
    simclock::SetClock(&state().clock, moment);
}

SYSTEMTIME Clock() {
    return state().clock.now;
}

void AdvanceClock(int64_t milliseconds) {
    simclock::AdvanceClock(&state().clock, milliseconds);
}

int ClockReads() {
    return state().clock.reads;
}
int ClockWrites() {
    return state().clock.writes;
}

} // namespace sim

extern "C" void WINAPI GetLocalTime(LPSYSTEMTIME time) {
    *time = simclock::ReadClock(&sim::state().clock);
}

// The weekday passed is ignored and taken from the date. Only a moment the
// clock would take can be refused for want of the right to set it.
extern "C" BOOL WINAPI SetLocalTime(const SYSTEMTIME* time) {
    simclock::ClockCore& clock = sim::state().clock;
    const bool refused =
        simclock::IsValidMoment(*time) && sim::Fails(sim::Acquiring::kSetLocalTime);
    sim::Record("SetLocalTime",
                {time->wYear, time->wMonth, time->wDayOfWeek, time->wDay, time->wHour,
                 time->wMinute, time->wSecond, time->wMilliseconds},
                nullptr, refused);
    if (!refused) return simclock::WriteClock(&clock, *time) ? TRUE : FALSE;
    ++clock.writes;
    clock.lastWrite = *time;
    return FALSE;
}
