// The routines the host reaches through the registration record's three
// tables. Each takes the run data first; the table index is the interface.
#pragma once

#include <cstdint>

#include "core/records.h"

extern "C" {
// Conditions (run data, parameter 1, parameter 2) -> 32-bit value.
int32_t WINAPI ChronometerReading(RunData* run, int32_t, int32_t); // 0
int32_t WINAPI OnEachSecond(RunData* run, int32_t, int32_t);       // 1
int32_t WINAPI OnEachMinute(RunData* run, int32_t, int32_t);       // 2
int32_t WINAPI OnEachHour(RunData* run, int32_t, int32_t);         // 3
int32_t WINAPI OnEachDay(RunData* run, int32_t, int32_t);          // 4
int32_t WINAPI OnEachMonth(RunData* run, int32_t, int32_t);        // 5
int32_t WINAPI OnEachYear(RunData* run, int32_t, int32_t);         // 6
int32_t WINAPI CountdownReading(RunData* run, int32_t, int32_t);   // 7
int32_t WINAPI IsVisible(RunData* run, int32_t, int32_t);          // 8

// Actions (run data, parameter 1, parameter 2) -> 16-bit 0.
int16_t WINAPI SetHundredths(RunData* run, int32_t value, int32_t);      // 0
int16_t WINAPI SetSeconds(RunData* run, int32_t value, int32_t);         // 1
int16_t WINAPI SetMinutes(RunData* run, int32_t value, int32_t);         // 2
int16_t WINAPI SetHours(RunData* run, int32_t value, int32_t);           // 3
int16_t WINAPI SetDayOfWeek(RunData* run, int32_t value, int32_t);       // 4
int16_t WINAPI SetDayOfMonth(RunData* run, int32_t value, int32_t);      // 5
int16_t WINAPI SetMonth(RunData* run, int32_t value, int32_t);           // 6
int16_t WINAPI SetYear(RunData* run, int32_t value, int32_t);            // 7
int16_t WINAPI ResetChronometer(RunData* run, int32_t, int32_t);         // 8
int16_t WINAPI StartChronometer(RunData* run, int32_t, int32_t);         // 9
int16_t WINAPI StopChronometer(RunData* run, int32_t, int32_t);          // 10
int16_t WINAPI ShowObject(RunData* run, int32_t, int32_t);               // 11
int16_t WINAPI HideObject(RunData* run, int32_t, int32_t);               // 12
int16_t WINAPI SetPosition(RunData* run, int32_t position, int32_t);     // 13
int16_t WINAPI SetCountdown(RunData* run, int32_t thousandths, int32_t); // 14
int16_t WINAPI StartCountdown(RunData* run, int32_t, int32_t);           // 15
int16_t WINAPI StopCountdown(RunData* run, int32_t, int32_t);            // 16
int16_t WINAPI SetXPosition(RunData* run, int32_t value, int32_t);       // 17
int16_t WINAPI SetYPosition(RunData* run, int32_t value, int32_t);       // 18
int16_t WINAPI SetWidth(RunData* run, int32_t value, int32_t);           // 19
int16_t WINAPI SetHeight(RunData* run, int32_t value, int32_t);          // 20

// Expressions (run data, parameter) -> 32-bit value.
int32_t WINAPI GetHundredths(RunData* run, int32_t);  // 0
int32_t WINAPI GetSeconds(RunData* run, int32_t);     // 1
int32_t WINAPI GetMinutes(RunData* run, int32_t);     // 2
int32_t WINAPI GetHours(RunData* run, int32_t);       // 3
int32_t WINAPI GetDayOfWeek(RunData* run, int32_t);   // 4
int32_t WINAPI GetDayOfMonth(RunData* run, int32_t);  // 5
int32_t WINAPI GetMonth(RunData* run, int32_t);       // 6
int32_t WINAPI GetYear(RunData* run, int32_t);        // 7
int32_t WINAPI GetChronometer(RunData* run, int32_t); // 8
int32_t WINAPI GetCentreX(RunData* run, int32_t);     // 9
int32_t WINAPI GetCentreY(RunData* run, int32_t);     // 10
int32_t WINAPI GetHourHandX(RunData* run, int32_t);   // 11
int32_t WINAPI GetHourHandY(RunData* run, int32_t);   // 12
int32_t WINAPI GetMinuteHandX(RunData* run, int32_t); // 13
int32_t WINAPI GetMinuteHandY(RunData* run, int32_t); // 14
int32_t WINAPI GetSecondHandX(RunData* run, int32_t); // 15
int32_t WINAPI GetSecondHandY(RunData* run, int32_t); // 16
int32_t WINAPI GetCountdown(RunData* run, int32_t);   // 17
int32_t WINAPI GetXPosition(RunData* run, int32_t);   // 18
int32_t WINAPI GetYPosition(RunData* run, int32_t);   // 19
int32_t WINAPI GetWidth(RunData* run, int32_t);       // 20
int32_t WINAPI GetHeight(RunData* run, int32_t);      // 21
}
