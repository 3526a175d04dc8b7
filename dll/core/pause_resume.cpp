// A pause of the whole game stops the shared timer; resuming restarts it only
// if the pause stopped it, and takes the clock as it now is as already seen.
#include "core/change_detection.h"
#include "core/clock_records.h"
#include "core/numeric.h"
#include "core/records.h"
#include "core/shared_timer.h"
#include "core/time_count.h"
#include "contract/entry_points.h"

extern "C" int16_t WINAPI PauseRunObject(RunData* run) {
    if (!TimerRunning(run)) {
        run->paused = 0;
        return 0;
    }
    run->chronoElapsed = WrapAdd(run->chronoElapsed, TimerRunningPart(run));
    run->chronoStart = 0.0;
    run->paused = 1;
    return 0;
}

extern "C" int16_t WINAPI ContinueRunObject(RunData* run) {
    // One reading serves the restart, the units seen and the last sample.
    TimeOfDay time;
    CalendarDate date;
    ReadTimeOfDay(&time);
    ReadCalendarDate(&date);
    const double now = TimeCountOf(&time, &date);

    // paused is left set: every pause sets it anew.
    if (run->paused == 1) run->chronoStart = now;
    MarkUnitsSeen(run, &time, &date);
    // Without this the next sample would be compared with the last one before
    // the pause, take the pause for a clock jump and bank it into the timer
    // that the pause had stopped.
    run->lastTimeCount = now;
    return 0;
}
