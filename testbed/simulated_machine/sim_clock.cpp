// The simulated local clock: the shared clock core, with every write
// recorded in the call log.
#include <cstdint>

#include "simulated_machine/sim_state.h"

namespace sim {

int WeekdayOf(int year, int month, int day) {
    return civil::WeekdayOf(year, month, day);
}

bool IsValidSystemTime(const SYSTEMTIME& t) {
    return fixture::IsValidMoment(t);
}

void SetClock(int year, int month, int day, int hour, int minute, int second, int millisecond) {
    SetClock(fixture::Moment(year, month, day, hour, minute, second, millisecond));
}

void SetClock(const SYSTEMTIME& moment) {
    fixture::SetClock(&state().clock, moment);
}

SYSTEMTIME Clock() {
    return state().clock.now;
}

void AdvanceClock(int64_t milliseconds) {
    fixture::AdvanceClock(&state().clock, milliseconds);
}

int ClockReads() {
    return state().clock.reads;
}
int ClockWrites() {
    return state().clock.writes;
}

} // namespace sim

extern "C" void WINAPI GetLocalTime(LPSYSTEMTIME time) {
    *time = fixture::ReadClock(&sim::state().clock);
}

// The weekday passed is ignored and taken from the date. Only a moment the
// clock would take can be refused for want of the right to set it.
extern "C" BOOL WINAPI SetLocalTime(const SYSTEMTIME* time) {
    fixture::ClockCore& clock = sim::state().clock;
    const bool refused = fixture::IsValidMoment(*time) && sim::Fails(sim::Acquiring::kSetLocalTime);
    sim::Record("SetLocalTime",
                {time->wYear, time->wMonth, time->wDayOfWeek, time->wDay, time->wHour,
                 time->wMinute, time->wSecond, time->wMilliseconds},
                nullptr, refused);
    if (!refused) return fixture::WriteClock(&clock, *time) ? TRUE : FALSE;
    ++clock.writes;
    clock.lastWrite = *time;
    return FALSE;
}
