// The chronometer and countdown actions. Both drive the one shared timer, so
// the countdown's start and stop are the chronometer's own.
#include "core/numeric.h"
#include "core/shared_timer.h"
#include "core/time_count.h"
#include "events/redisplay.h"
#include "events/routines.h"

static void StopAndClear(RunData* run) {
    run->chronoStart = 0.0;
    run->chronoElapsed = 0;
}

extern "C" int16_t WINAPI ResetChronometer(RunData* run, int32_t, int32_t) {
    StopAndClear(run);
    AskRedisplay(run);
    return 0;
}

// A second start keeps the first start time.
extern "C" int16_t WINAPI StartChronometer(RunData* run, int32_t, int32_t) {
    if (TimerRunning(run)) return 0;
    run->chronoStart = CurrentTimeCount();
    return 0;
}

extern "C" int16_t WINAPI StopChronometer(RunData* run, int32_t, int32_t) {
    if (!TimerRunning(run)) return 0;
    int32_t runPart = TimerRunningPart(run);
    run->chronoStart = 0.0;
    run->chronoElapsed = WrapAdd(run->chronoElapsed, runPart);
    return 0;
}

// The host hands time amounts over in thousandths; the object keeps
// hundredths. The countdown then stands at its full length, not running.
extern "C" int16_t WINAPI SetCountdown(RunData* run, int32_t thousandths, int32_t) {
    run->countdownStart = DivTrunc(thousandths, 10);
    StopAndClear(run);
    AskRedisplay(run);
    return 0;
}

extern "C" int16_t WINAPI StartCountdown(RunData* run, int32_t a, int32_t b) {
    return StartChronometer(run, a, b);
}

extern "C" int16_t WINAPI StopCountdown(RunData* run, int32_t a, int32_t b) {
    return StopChronometer(run, a, b);
}
