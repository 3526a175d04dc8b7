#include "events_test_support.h"

#include <limits>

#include "events/routines.h"
#include "base/moment.h"
#include "tests/native/shown_moment.h"

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
        Restart();
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
        ExpectOneRedisplay(setters[i].name);
    }
}

// What each setter leaves on the clock, starting from the stated time.
TEST_F(ClockSettersTest, ChangesOneFieldOfTheClock) {
    const SYSTEMTIME kThursday = civil::kDefaultMoment; // 2026-03-05 10:15:42.570
    struct Case {
        const char* name;
        SYSTEMTIME start;
        Setter setter;
        int32_t value;
        const char* expected; // nullptr: the clock as it was
    } const cases[] = {
        {"seconds, hundredths kept", kThursday, kSetSeconds, 30, "2026-03-05 (4) 10:15:30.570"},
        {"hundredths", kThursday, kSetHundredths, 5, "2026-03-05 (4) 10:15:42.050"},
        {"minutes lose the last millisecond digit", civil::Moment(2026, 3, 5, 10, 15, 42, 577),
         kSetMinutes, 0, "2026-03-05 (4) 10:00:42.570"},
        {"hours, 24-hour count", kThursday, kSetHours, 23, "2026-03-05 (4) 23:15:42.570"},
        {"day of month", kThursday, kSetDayOfMonth, 31, "2026-03-31 (2) 10:15:42.570"},
        {"month", kThursday, kSetMonth, 12, "2026-12-05 (6) 10:15:42.570"},
        {"year, lowest", kThursday, kSetYear, 1980, "1980-03-05 (3) 10:15:42.570"},
        {"year, highest", kThursday, kSetYear, 2099, "2099-03-05 (4) 10:15:42.570"},
        {"weekday is ignored by the clock", kThursday, kSetDayOfWeek, 0, nullptr},
        {"31 in April", civil::Moment(2026, 4, 10, 9, 0, 0, 0), kSetDayOfMonth, 31, nullptr},
        {"month landing on a missing day", civil::Moment(2026, 1, 31, 9, 0, 0, 0), kSetMonth, 2,
         nullptr},
        {"29 February of a common year", civil::Moment(2026, 2, 10, 9, 0, 0, 0), kSetDayOfMonth, 29,
         nullptr},
        {"29 February of a leap year", civil::Moment(2028, 2, 10, 9, 0, 0, 0), kSetDayOfMonth, 29,
         "2028-02-29 (2) 09:00:00.000"},
    };
    for (const Case& c : cases) {
        Restart();
        sim::SetClock(c.start);
        const std::string before = ShowMoment(sim::Clock());
        c.setter.routine(run, c.value, 0);
        EXPECT_EQ(c.expected ? c.expected : before, ShowMoment(sim::Clock())) << c.name;
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
