#include "core/change_detection.h"

void MarkUnitsSeen(RunData* run, const TimeOfDay* time, const CalendarDate* date) {
    run->lastSecond = time->second;
    run->lastMinute = time->minute;
    run->lastHour = time->hour;
    run->lastDay = date->day;
    run->lastMonth = date->month;
    run->lastYear = change_detection::ChangeYearBits(date);
}
