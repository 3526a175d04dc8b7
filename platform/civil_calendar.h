// The calendar of the Windows clock: the proleptic Gregorian calendar within
// the years SetLocalTime accepts. The one helper for every clock the project
// simulates (the native machine, the hosts' clock) and for every reader of
// dates (the scenario reader, the fuzzer); the soak keeps its own count of
// days as an independent check of this one.
#pragma once

#include <chrono>
#include <cstdint>

#include "platform/windows_api.h"

namespace civil {

struct Date {
    int year;
    int month;
    int day;
};

constexpr std::chrono::year_month_day ToYmd(int year, int month, int day) {
    return std::chrono::year{year} / std::chrono::month{static_cast<unsigned>(month)} /
           std::chrono::day{static_cast<unsigned>(day)};
}

constexpr bool IsLeapYear(int year) {
    return std::chrono::year{year}.is_leap();
}

constexpr int DaysInMonth(int year, int month) {
    using namespace std::chrono;
    return static_cast<int>(static_cast<unsigned>(
        (std::chrono::year{year} / static_cast<unsigned>(month) / last).day()));
}

// Days since 1970-01-01.
constexpr int64_t DaysFromDate(int year, int month, int day) {
    return std::chrono::sys_days{ToYmd(year, month, day)}.time_since_epoch().count();
}

constexpr Date DateFromDays(int64_t days) {
    const std::chrono::year_month_day ymd{
        std::chrono::sys_days{std::chrono::days{static_cast<int32_t>(days)}}};
    return Date{static_cast<int>(ymd.year()), static_cast<int>(static_cast<unsigned>(ymd.month())),
                static_cast<int>(static_cast<unsigned>(ymd.day()))};
}

// 0 = Sunday, as SYSTEMTIME counts the weekday.
constexpr int WeekdayOf(int year, int month, int day) {
    return static_cast<int>(
        std::chrono::weekday{std::chrono::sys_days{ToYmd(year, month, day)}}.c_encoding());
}

// What SetLocalTime accepts: a real date in the years 1601 to 30827 and a time
// within its day. The weekday is not looked at: Windows takes it from the date.
constexpr bool IsValidMoment(int year, int month, int day, int hour, int minute, int second,
                             int millisecond) {
    if (year < 1601 || year > 30827 || month < 1 || month > 12) return false;
    if (day < 1 || day > DaysInMonth(year, month)) return false;
    return hour >= 0 && hour < 24 && minute >= 0 && minute < 60 && second >= 0 && second < 60 &&
           millisecond >= 0 && millisecond < 1000;
}

// The clock moved by a signed number of milliseconds, across any day, month
// or year; the weekday comes from the new date, as Windows keeps it.
inline SYSTEMTIME Advance(const SYSTEMTIME& t, int64_t milliseconds) {
    constexpr int64_t kMsPerDay = 86400000;
    const int64_t ms = DaysFromDate(t.wYear, t.wMonth, t.wDay) * kMsPerDay +
                       ((t.wHour * 60 + t.wMinute) * 60 + t.wSecond) * 1000 + t.wMilliseconds +
                       milliseconds;
    // Days rounded toward minus infinity, so that the time of day is never negative.
    const int64_t days = ms >= 0 ? ms / kMsPerDay : -((-ms + kMsPerDay - 1) / kMsPerDay);
    const int64_t inDay = ms - days * kMsPerDay;
    const Date date = DateFromDays(days);
    SYSTEMTIME out = {};
    out.wYear = static_cast<WORD>(date.year);
    out.wMonth = static_cast<WORD>(date.month);
    out.wDay = static_cast<WORD>(date.day);
    out.wDayOfWeek = static_cast<WORD>(WeekdayOf(date.year, date.month, date.day));
    out.wHour = static_cast<WORD>(inDay / 3600000);
    out.wMinute = static_cast<WORD>(inDay / 60000 % 60);
    out.wSecond = static_cast<WORD>(inDay / 1000 % 60);
    out.wMilliseconds = static_cast<WORD>(inDay % 1000);
    return out;
}

// Stated in the calendar's own terms, so that a toolchain whose <chrono> got
// any of it wrong fails to build.
static_assert(IsLeapYear(2000) && !IsLeapYear(1900) && IsLeapYear(2024) && !IsLeapYear(2026));
static_assert(DaysInMonth(2024, 2) == 29 && DaysInMonth(2100, 2) == 28 &&
              DaysInMonth(2026, 4) == 30);
static_assert(DaysFromDate(1970, 1, 1) == 0 && DaysFromDate(1969, 12, 31) == -1);
static_assert(WeekdayOf(1970, 1, 1) == 4 && WeekdayOf(2026, 12, 9) == 3);
static_assert(DateFromDays(DaysFromDate(2024, 2, 29)).day == 29);
static_assert(IsValidMoment(2024, 2, 29, 23, 59, 59, 999) &&
              !IsValidMoment(2026, 2, 29, 0, 0, 0, 0));

} // namespace civil
