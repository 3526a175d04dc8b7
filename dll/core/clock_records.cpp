#include "core/clock_records.h"

#include "winapi/windows_api.h"

// Each writer reads the clock again, so the parts it does not carry are those
// of the moment of the write.
void WriteTimeOfDay(const TimeOfDay* time) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    now.wHour = time->hour;
    now.wMinute = time->minute;
    now.wSecond = time->second;
    now.wMilliseconds = static_cast<WORD>(time->hundredths * 10);
    SetLocalTime(&now);
}

void WriteCalendarDate(const CalendarDate* date) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    now.wDay = date->day;
    now.wMonth = date->month;
    now.wDayOfWeek = date->weekday;
    now.wYear = static_cast<WORD>(date->year & 0xFFFFu);
    SetLocalTime(&now);
}
