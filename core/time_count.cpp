#include "core/time_count.h"

// The table knows no leap years: 29 February to 1 March steps back a day and
// New Year falls to the bottom of the scale; both are handled as clock jumps.
const double DaysBeforeMonth[12] = {
    0 * kHundredthsPerDay,   31 * kHundredthsPerDay,  59 * kHundredthsPerDay,
    90 * kHundredthsPerDay,  120 * kHundredthsPerDay, 151 * kHundredthsPerDay,
    181 * kHundredthsPerDay, 212 * kHundredthsPerDay, 243 * kHundredthsPerDay,
    273 * kHundredthsPerDay, 304 * kHundredthsPerDay, 334 * kHundredthsPerDay,
};

double TimeCountOf(const TimeOfDay* time, const CalendarDate* date) {
    // A clock never shows month 0 or 13, but a bad reading must not index
    // outside the table.
    unsigned month = date->month;
    double monthBase = (month >= 1 && month <= 12) ? DaysBeforeMonth[month - 1] : 0.0;
    return monthBase + date->day * kHundredthsPerDay + time->hour * kHundredthsPerHour +
           time->minute * kHundredthsPerMinute + time->second * kHundredthsPerSecond +
           time->hundredths;
}

double CurrentTimeCount() {
    TimeOfDay time;
    CalendarDate date;
    ReadTimeOfDay(&time);
    ReadCalendarDate(&date);
    return TimeCountOf(&time, &date);
}
