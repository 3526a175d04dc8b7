// The condition table: the six change events, the two timer readings in
// thousandths, and whether the object is shown.
#include "core/numeric.h"
#include "core/shared_timer.h"
#include "events/routines.h"

// The copy taken at the last push keeps only 16 bits, so only the low 16 bits
// of the host's counter can be compared with it; widening the copy instead
// would make every event false for good once the counter passed 32767.
static int32_t EventHappened(const RunData* run) {
    if (run->header.flags & kObjectFlagEventsTrue) return 1;
    return Low16(RunHeaderOf(run)->eventCount) == run->triggerEventCount ? 1 : 0;
}

extern "C" int32_t WINAPI ChronometerReading(RunData* run, int32_t, int32_t) {
    return WrapMul(TimerValue(run), 10);
}

extern "C" int32_t WINAPI OnEachSecond(RunData* run, int32_t, int32_t) {
    return EventHappened(run);
}

extern "C" int32_t WINAPI OnEachMinute(RunData* run, int32_t a, int32_t b) {
    return OnEachSecond(run, a, b);
}

extern "C" int32_t WINAPI OnEachHour(RunData* run, int32_t a, int32_t b) {
    return OnEachSecond(run, a, b);
}

extern "C" int32_t WINAPI OnEachDay(RunData* run, int32_t a, int32_t b) {
    return OnEachSecond(run, a, b);
}

extern "C" int32_t WINAPI OnEachMonth(RunData* run, int32_t a, int32_t b) {
    return OnEachSecond(run, a, b);
}

extern "C" int32_t WINAPI OnEachYear(RunData* run, int32_t a, int32_t b) {
    return OnEachSecond(run, a, b);
}

extern "C" int32_t WINAPI CountdownReading(RunData* run, int32_t, int32_t) {
    return WrapMul(CountdownRemaining(run), 10);
}

extern "C" int32_t WINAPI IsVisible(RunData* run, int32_t, int32_t) {
    return run->visible == 1 ? 1 : 0;
}
