#include "core/shared_timer.h"

#include "core/numeric.h"
#include "core/time_count.h"

int32_t TimerRunningPart(const RunData* run) {
    if (!TimerRunning(run)) return 0;
    return TruncToI32(CurrentTimeCount() - run->chronoStart);
}

int32_t TimerValue(const RunData* run) {
    return WrapAdd(run->chronoElapsed, TimerRunningPart(run));
}

int32_t CountdownRemaining(const RunData* run) {
    int32_t remaining =
        WrapSub(WrapSub(run->countdownStart, TimerRunningPart(run)), run->chronoElapsed);
    return remaining < 0 ? 0 : remaining;
}
