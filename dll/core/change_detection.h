// Which units of the clock an object has last seen, and the change events
// raised when a sample shows them different.
#pragma once

#include <cstdint>

#include "contract/entry_points.h"
#include "core/clock_records.h"
#include "core/numeric.h"
#include "core/records.h"

// Event codes; each is the index of the condition that answers it.
constexpr int32_t kEventSecond = routines::kOnEachSecond;
constexpr int32_t kEventMinute = routines::kOnEachMinute;
constexpr int32_t kEventHour = routines::kOnEachHour;
constexpr int32_t kEventDay = routines::kOnEachDay;
constexpr int32_t kEventMonth = routines::kOnEachMonth;
constexpr int32_t kEventYear = routines::kOnEachYear;

// Records every unit of this reading as seen, so that none raises an event.
void MarkUnitsSeen(RunData* run, const TimeOfDay* time, const CalendarDate* date);

// The cascades run inline in the per-frame sample: every object samples on
// every twelfth frame (kLastQuietCall in frame_update.cpp), and the common
// sample changes nothing.
namespace change_detection {

inline int16_t ChangeYearBits(const CalendarDate* date) {
    return Low16(static_cast<int32_t>(date->year));
}

// triggerEventCount must match eventCount at the very moment of each push:
// the conditions answering the event compare the two.
inline void PushChangeEvent(RunData* run, int32_t code) {
    RunHeader* rh = RunHeaderOf(run);
    run->triggerEventCount = Low16(rh->eventCount);
    rh->HostPushEvent(run, code, 0);
}

// Each unit is looked at only when the one below it has changed.
inline int16_t TimeCascade(RunData* run, const TimeOfDay* time, int16_t result) {
    if (time->second == run->lastSecond) return result;
    run->lastSecond = time->second;
    PushChangeEvent(run, kEventSecond);
    result = kResultRedraw;
    if (time->minute == run->lastMinute) return result;
    run->lastMinute = time->minute;
    PushChangeEvent(run, kEventMinute);
    if (time->hour == run->lastHour) return result;
    run->lastHour = time->hour;
    PushChangeEvent(run, kEventHour);
    return result;
}

// The calendar only looks at the date when the hour has moved: days cannot
// change more often than that.
inline int16_t DateCascade(RunData* run, const TimeOfDay* time, const CalendarDate* date,
                           int16_t result) {
    if (time->hour == run->lastHour) return result;
    run->lastHour = time->hour;
    if (date->day == run->lastDay) return result;
    run->lastDay = date->day;
    PushChangeEvent(run, kEventDay);
    result = kResultRedraw;
    if (date->month == run->lastMonth) return result;
    run->lastMonth = date->month;
    PushChangeEvent(run, kEventMonth);
    if (ChangeYearBits(date) == run->lastYear) return result;
    run->lastYear = ChangeYearBits(date);
    PushChangeEvent(run, kEventYear);
    return result;
}

} // namespace change_detection

// Compares a sample with the units last seen, updates them and raises the
// events of the object's display type. Returns kResultRedraw once any event is
// raised, else `result` unchanged.
inline int16_t RaiseChangeEvents(RunData* run, const TimeOfDay* time, const CalendarDate* date,
                                 int16_t result) {
    switch (run->settings.displayType) {
    case kDisplayAnalog:
    case kDisplayDigital:
    case kDisplayInvisible:
        return change_detection::TimeCascade(run, time, result);
    case kDisplayCalendar:
        return change_detection::DateCascade(run, time, date, result);
    default:
        return result;
    }
}
