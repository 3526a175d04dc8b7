#include "events_test_support.h"

#include <limits>

#include "events/routines.h"

namespace {

struct Setter {
    const char* name;
    ActionRoutine routine;
};

const Setter kSetHundredths{"SetHundredths", SetHundredths};
const Setter kSetSeconds{"SetSeconds", SetSeconds};
const Setter kSetMinutes{"SetMinutes", SetMinutes};
const Setter kSetHours{"SetHours", SetHours};
const Setter kSetDayOfWeek{"SetDayOfWeek", SetDayOfWeek};
const Setter kSetDayOfMonth{"SetDayOfMonth", SetDayOfMonth};
const Setter kSetMonth{"SetMonth", SetMonth};
const Setter kSetYear{"SetYear", SetYear};

std::string Show(const SYSTEMTIME& t) {
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d (%d) %02d:%02d:%02d.%03d", t.wYear, t.wMonth,
                  t.wDay, t.wDayOfWeek, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds);
    return text;
}

} // namespace

using ClockSettersTest = EventsTest;

// Out of bounds, nothing at all happens: no write, no broadcast, no redisplay.
TEST_F(ClockSettersTest, BoundsAreInclusiveAndSigned) {
    const int32_t kMin = std::numeric_limits<int32_t>::min();
    struct Case {
        Setter setter;
        int32_t value;
        bool accepted;
    } const cases[] = {
        {kSetHundredths, -1, false},     {kSetHundredths, 0, true}, {kSetHundredths, 99, true},
        {kSetHundredths, 100, false},    {kSetSeconds, -1, false},  {kSetSeconds, 0, true},
        {kSetSeconds, 59, true},         {kSetSeconds, 60, false},  {kSetSeconds, 256 + 30, false},
        {kSetSeconds, kMin, false},      {kSetMinutes, -1, false},  {kSetMinutes, 59, true},
        {kSetMinutes, 60, false},        {kSetHours, 0, true},      {kSetHours, 23, true},
        {kSetHours, 24, false},          {kSetHours, -256, false},  {kSetDayOfWeek, 0, true},
        {kSetDayOfWeek, 6, true},        {kSetDayOfWeek, 7, false}, {kSetDayOfWeek, -1, false},
        {kSetDayOfMonth, 0, false},      {kSetDayOfMonth, 1, true}, {kSetDayOfMonth, 31, true},
        {kSetDayOfMonth, 32, false},     {kSetMonth, 0, false},     {kSetMonth, 1, true},
        {kSetMonth, 12, true},           {kSetMonth, 13, false},    {kSetYear, 1979, false},
        {kSetYear, 1980, true},          {kSetYear, 2099, true},    {kSetYear, 2100, false},
        {kSetYear, 1980 - 65536, false}, {kSetYear, kMin, false},
    };
    for (const Case& c : cases) {
        sim::Reset();
        run->header.runHeader = sim::TheRunHeader();
        EXPECT_EQ(0, c.setter.routine(run, c.value, 0)) << c.setter.name << "(" << c.value << ")";
        EXPECT_EQ(c.accepted ? 1 : 0, sim::ClockWrites()) << c.setter.name << "(" << c.value << ")";
        EXPECT_EQ(c.accepted ? 1u : 0u, sim::CallsNamed("SendMessageA").size())
            << c.setter.name << "(" << c.value << ")";
        EXPECT_EQ(c.accepted ? 1 : 0, Redisplays()) << c.setter.name << "(" << c.value << ")";
    }
}

TEST_F(ClockSettersTest, BroadcastsThenAsksForRedisplayAfterTheWrite) {
    const Setter setters[] = {kSetHundredths, kSetSeconds,    kSetMinutes, kSetHours,
                              kSetDayOfWeek,  kSetDayOfMonth, kSetMonth,   kSetYear};
    const int32_t values[] = {10, 10, 10, 10, 3, 10, 10, 2000};
    for (int i = 0; i < 8; ++i) {
        sim::ClearCalls();
        setters[i].routine(run, values[i], 0);
        const std::vector<std::string> expected = {"SetLocalTime", "SendMessageA", "HostRedisplay"};
        EXPECT_EQ(expected, Ops()) << setters[i].name;
        auto send = sim::CallsNamed("SendMessageA");
        ASSERT_EQ(1u, send.size()) << setters[i].name;
        const std::vector<int64_t> sendArgs = {0xFFFF, 0x001E, 0, 0};
        EXPECT_EQ(sendArgs, send[0].args) << setters[i].name;
        auto redisplay = sim::CallsNamed("HostRedisplay");
        ASSERT_EQ(1u, redisplay.size()) << setters[i].name;
        const std::vector<int64_t> redisplayArgs = {Address(run), 0, 0};
        EXPECT_EQ(redisplayArgs, redisplay[0].args) << setters[i].name;
    }
}

// What each setter leaves on the clock, starting from the stated time.
TEST_F(ClockSettersTest, ChangesOneFieldOfTheClock) {
    struct Moment {
        int year, month, day, hour, minute, second, ms;
    };
    struct Case {
        const char* name;
        Moment start;
        Setter setter;
        int32_t value;
        Moment expected;
    } const cases[] = {
        {"seconds, hundredths kept",
         {2026, 3, 5, 10, 15, 42, 570},
         kSetSeconds,
         30,
         {2026, 3, 5, 10, 15, 30, 570}},
        {"hundredths",
         {2026, 3, 5, 10, 15, 42, 570},
         kSetHundredths,
         5,
         {2026, 3, 5, 10, 15, 42, 50}},
        {"minutes lose the last millisecond digit",
         {2026, 3, 5, 10, 15, 42, 577},
         kSetMinutes,
         0,
         {2026, 3, 5, 10, 0, 42, 570}},
        {"hours, 24-hour count",
         {2026, 3, 5, 10, 15, 42, 570},
         kSetHours,
         23,
         {2026, 3, 5, 23, 15, 42, 570}},
        {"day of month",
         {2026, 3, 5, 10, 15, 42, 570},
         kSetDayOfMonth,
         31,
         {2026, 3, 31, 10, 15, 42, 570}},
        {"month", {2026, 3, 5, 10, 15, 42, 570}, kSetMonth, 12, {2026, 12, 5, 10, 15, 42, 570}},
        {"year, lowest",
         {2026, 3, 5, 10, 15, 42, 570},
         kSetYear,
         1980,
         {1980, 3, 5, 10, 15, 42, 570}},
        {"year, highest",
         {2026, 3, 5, 10, 15, 42, 570},
         kSetYear,
         2099,
         {2099, 3, 5, 10, 15, 42, 570}},
        {"weekday is ignored by the clock",
         {2026, 3, 5, 10, 15, 42, 570},
         kSetDayOfWeek,
         0,
         {2026, 3, 5, 10, 15, 42, 570}},
        {"31 in April is refused",
         {2026, 4, 10, 9, 0, 0, 0},
         kSetDayOfMonth,
         31,
         {2026, 4, 10, 9, 0, 0, 0}},
        {"month landing on a missing day is refused",
         {2026, 1, 31, 9, 0, 0, 0},
         kSetMonth,
         2,
         {2026, 1, 31, 9, 0, 0, 0}},
        {"29 February of a common year is refused",
         {2026, 2, 10, 9, 0, 0, 0},
         kSetDayOfMonth,
         29,
         {2026, 2, 10, 9, 0, 0, 0}},
        {"29 February of a leap year",
         {2028, 2, 10, 9, 0, 0, 0},
         kSetDayOfMonth,
         29,
         {2028, 2, 29, 9, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        sim::Reset();
        run->header.runHeader = sim::TheRunHeader();
        const Moment& s = c.start;
        sim::SetClock(s.year, s.month, s.day, s.hour, s.minute, s.second, s.ms);
        c.setter.routine(run, c.value, 0);
        const Moment& e = c.expected;
        SYSTEMTIME want{};
        want.wYear = static_cast<WORD>(e.year);
        want.wMonth = static_cast<WORD>(e.month);
        want.wDay = static_cast<WORD>(e.day);
        want.wDayOfWeek = static_cast<WORD>(sim::WeekdayOf(e.year, e.month, e.day));
        want.wHour = static_cast<WORD>(e.hour);
        want.wMinute = static_cast<WORD>(e.minute);
        want.wSecond = static_cast<WORD>(e.second);
        want.wMilliseconds = static_cast<WORD>(e.ms);
        EXPECT_EQ(Show(want), Show(sim::Clock())) << c.name;
        // Accepted or refused, the others are told and the object redrawn.
        EXPECT_EQ(1u, sim::CallsNamed("SendMessageA").size()) << c.name;
        EXPECT_EQ(1, Redisplays()) << c.name;
    }
}

TEST_F(ClockSettersTest, DayOfWeekHandsTheNewWeekdayToTheClock) {
    SetDayOfWeek(run, 0, 0);
    auto writes = sim::CallsNamed("SetLocalTime");
    ASSERT_EQ(1u, writes.size());
    // year, month, weekday, day, ...
    EXPECT_EQ(2026, writes[0].args[0]);
    EXPECT_EQ(0, writes[0].args[2]) << "weekday passed";
    EXPECT_EQ(5, writes[0].args[3]) << "day passed";
}
