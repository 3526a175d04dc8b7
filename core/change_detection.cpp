#include "core/change_detection.h"

#include "core/numeric.h"

namespace {

int16_t YearBits(const CalendarDate* date) {
    return Low16(static_cast<int32_t>(date->year));
}

// triggerEventCount must match eventCount at the very moment of each push:
// the conditions answering the event compare the two.
void Push(RunData* run, int32_t code) {
    RunHeader* rh = RunHeaderOf(run);
    run->triggerEventCount = Low16(rh->eventCount);
    rh->HostPushEvent(run, code, 0);
}

// Each unit is looked at only when the one below it has changed.
int16_t TimeCascade(RunData* run, const TimeOfDay* time, int16_t result) {
    if (time->second == run->lastSecond) return result;
    run->lastSecond = time->second;
    Push(run, kEventSecond);
    result = kResultRedraw;
    if (time->minute == run->lastMinute) return result;
    run->lastMinute = time->minute;
    Push(run, kEventMinute);
    if (time->hour == run->lastHour) return result;
    run->lastHour = time->hour;
    Push(run, kEventHour);
    return result;
}

// The calendar only looks at the date when the hour has moved: days cannot
// change more often than that.
int16_t DateCascade(RunData* run, const TimeOfDay* time, const CalendarDate* date, int16_t result) {
    if (time->hour == run->lastHour) return result;
    run->lastHour = time->hour;
    if (date->day == run->lastDay) return result;
    run->lastDay = date->day;
    Push(run, kEventDay);
    result = kResultRedraw;
    if (date->month == run->lastMonth) return result;
    run->lastMonth = date->month;
    Push(run, kEventMonth);
    if (YearBits(date) == run->lastYear) return result;
    run->lastYear = YearBits(date);
    Push(run, kEventYear);
    return result;
}

} // namespace

void MarkUnitsSeen(RunData* run, const TimeOfDay* time, const CalendarDate* date) {
    run->lastSecond = time->second;
    run->lastMinute = time->minute;
    run->lastHour = time->hour;
    run->lastDay = date->day;
    run->lastMonth = date->month;
    run->lastYear = YearBits(date);
}

int16_t RaiseChangeEvents(RunData* run, const TimeOfDay* time, const CalendarDate* date,
                          int16_t result) {
    switch (run->displayType) {
    case kDisplayAnalog:
    case kDisplayDigital:
    case kDisplayInvisible:
        return TimeCascade(run, time, result);
    case kDisplayCalendar:
        return DateCascade(run, time, date, result);
    default:
        return result;
    }
}
