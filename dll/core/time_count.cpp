#include "core/time_count.h"

// The table knows no leap years: 29 February to 1 March steps back a day and
// New Year falls to the bottom of the scale; both are handled as clock jumps.
const double DaysBeforeMonth[12] = {
    0 * kHundredthsPerDay,   31 * kHundredthsPerDay,  59 * kHundredthsPerDay,
    90 * kHundredthsPerDay,  120 * kHundredthsPerDay, 151 * kHundredthsPerDay,
    181 * kHundredthsPerDay, 212 * kHundredthsPerDay, 243 * kHundredthsPerDay,
    273 * kHundredthsPerDay, 304 * kHundredthsPerDay, 334 * kHundredthsPerDay,
};

double CurrentTimeCount() {
    TimeOfDay time;
    CalendarDate date;
    ReadTimeOfDay(&time);
    ReadCalendarDate(&date);
    return TimeCountOf(&time, &date);
}
