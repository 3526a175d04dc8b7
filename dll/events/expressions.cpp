// The expression table: the clock's fields, the shared timer, the analog
// face's points and the object's position and size.
#include "core/clock_records.h"
#include "core/shared_timer.h"
#include "events/routines.h"

// Every clock field is read afresh, so two fields read in one frame may
// straddle a change of the clock.
static TimeOfDay TimeNow() {
    TimeOfDay time;
    ReadTimeOfDay(&time);
    return time;
}

static CalendarDate DateNow() {
    CalendarDate date;
    ReadCalendarDate(&date);
    return date;
}

extern "C" int32_t WINAPI GetHundredths(RunData*, int32_t) {
    return TimeNow().hundredths;
}

extern "C" int32_t WINAPI GetSeconds(RunData*, int32_t) {
    return TimeNow().second;
}

extern "C" int32_t WINAPI GetMinutes(RunData*, int32_t) {
    return TimeNow().minute;
}

extern "C" int32_t WINAPI GetHours(RunData*, int32_t) {
    return TimeNow().hour;
}

extern "C" int32_t WINAPI GetDayOfWeek(RunData*, int32_t) {
    return DateNow().weekday;
}

extern "C" int32_t WINAPI GetDayOfMonth(RunData*, int32_t) {
    return DateNow().day;
}

extern "C" int32_t WINAPI GetMonth(RunData*, int32_t) {
    return DateNow().month;
}

extern "C" int32_t WINAPI GetYear(RunData*, int32_t) {
    return static_cast<int32_t>(DateNow().year);
}

extern "C" int32_t WINAPI GetChronometer(RunData* run, int32_t) {
    return TimerValue(run);
}

extern "C" int32_t WINAPI GetCountdown(RunData* run, int32_t) {
    return CountdownRemaining(run);
}

// The face keeps its points in surface coordinates; adding the display
// origin back gives frame coordinates, comparable with the object's x and y.
// Only an analog face has them.
static int32_t FacePoint(const RunData* run, int16_t surface, int16_t origin) {
    if (run->settings.displayType != kDisplayAnalog) return 0;
    return int32_t{surface} + int32_t{origin};
}

static int32_t FacePointX(const RunData* run, int16_t surfaceX) {
    return FacePoint(run, surfaceX, RunHeaderOf(run)->displayOriginX);
}

static int32_t FacePointY(const RunData* run, int16_t surfaceY) {
    return FacePoint(run, surfaceY, RunHeaderOf(run)->displayOriginY);
}

extern "C" int32_t WINAPI GetCentreX(RunData* run, int32_t) {
    return FacePointX(run, run->centreX);
}

extern "C" int32_t WINAPI GetCentreY(RunData* run, int32_t) {
    return FacePointY(run, run->centreY);
}

extern "C" int32_t WINAPI GetHourHandX(RunData* run, int32_t) {
    return FacePointX(run, run->hourHandEndX);
}

extern "C" int32_t WINAPI GetHourHandY(RunData* run, int32_t) {
    return FacePointY(run, run->hourHandEndY);
}

extern "C" int32_t WINAPI GetMinuteHandX(RunData* run, int32_t) {
    return FacePointX(run, run->minuteHandEndX);
}

extern "C" int32_t WINAPI GetMinuteHandY(RunData* run, int32_t) {
    return FacePointY(run, run->minuteHandEndY);
}

extern "C" int32_t WINAPI GetSecondHandX(RunData* run, int32_t) {
    return FacePointX(run, run->secondHandEndX);
}

extern "C" int32_t WINAPI GetSecondHandY(RunData* run, int32_t) {
    return FacePointY(run, run->secondHandEndY);
}

extern "C" int32_t WINAPI GetXPosition(RunData* run, int32_t) {
    return run->header.x;
}

extern "C" int32_t WINAPI GetYPosition(RunData* run, int32_t) {
    return run->header.y;
}

extern "C" int32_t WINAPI GetWidth(RunData* run, int32_t) {
    return run->header.width;
}

extern "C" int32_t WINAPI GetHeight(RunData* run, int32_t) {
    return run->header.height;
}
