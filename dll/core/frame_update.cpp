// The per-frame heartbeat: every twelfth call samples the clock, keeps the
// shared timer from counting jumps of the computer's clock and raises the
// change events.
#include "core/change_detection.h"
#include "core/clock_records.h"
#include "core/numeric.h"
#include "core/records.h"
#include "core/shared_timer.h"
#include "core/time_count.h"
#include "contract/entry_points.h"

namespace {

// The counter goes from 0 up through this quietly, eleven calls; the twelfth
// finds it one past, samples and sets it back to 0.
constexpr int16_t kLastQuietCall = 10;
// In hundredths of a second, as the time count is: two seconds.
constexpr double kJumpThreshold = 200.0;

// Samples more than two seconds apart, or going backwards (the clock was set,
// or the year turned over on the leap-year-blind scale), are a jump.
bool IsJump(double last, double now) {
    return now < last || (now > last + kJumpThreshold && last != 0.0);
}

// The timer keeps what it counted up to the sample before the jump and counts
// on from this one. A timer started after that sample banks the gap as a
// positive amount all the same.
void BankAcrossJump(RunData* run, double now) {
    if (!TimerRunning(run)) return;
    int32_t counted = TruncToI32(run->lastTimeCount - run->chronoStart);
    run->chronoElapsed = WrapAdd(run->chronoElapsed, WrapAbs(counted));
    run->chronoStart = now;
}

} // namespace

extern "C" int16_t WINAPI HandleRunObject(RunData* run) {
    int16_t result = 0;
    if (run->firstHandle == 1) {
        run->firstHandle = 0;
        result = kResultRedraw;
    }

    int16_t taken = run->frameCounter;
    run->frameCounter = static_cast<int16_t>(taken + 1);
    if (taken <= kLastQuietCall) return result;
    run->frameCounter = 0;

    TimeOfDay time;
    CalendarDate date;
    ReadTimeOfDay(&time);
    ReadCalendarDate(&date);
    double now = TimeCountOf(&time, &date);

    if (IsJump(run->lastTimeCount, now)) BankAcrossJump(run, now);
    run->lastTimeCount = now;

    return RaiseChangeEvents(run, &time, &date, result);
}

extern "C" int16_t WINAPI ReInitRunObject(RunData*) {
    return 0;
}
