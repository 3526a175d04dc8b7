// The packed clock records against the simulated clock.
#include <gtest/gtest.h>

#include <vector>

#include "core/clock_records.h"
#include "simulated_machine/sim_machine.h"

namespace {

class ClockRecords : public ::testing::Test {
  protected:
    void SetUp() override { sim::Reset(); }

    // The SYSTEMTIME handed to the last SetLocalTime, in field order.
    std::vector<int64_t> LastWrite() {
        auto writes = sim::CallsNamed("SetLocalTime");
        return writes.empty() ? std::vector<int64_t>{} : writes.back().args;
    }
};

TEST_F(ClockRecords, ReadTimeOfDayTruncatesMillisecondsToHundredths) {
    const struct {
        int ms;
        uint8_t hundredths;
    } cases[] = {{0, 0}, {9, 0}, {10, 1}, {375, 37}, {990, 99}, {999, 99}};
    for (const auto& c : cases) {
        sim::SetClock(2026, 3, 5, 23, 59, 58, c.ms);
        TimeOfDay time = {0xAA, 0xAA, 0xAA, 0xAA};
        ReadTimeOfDay(&time);
        EXPECT_EQ(23, time.hour) << c.ms;
        EXPECT_EQ(59, time.minute) << c.ms;
        EXPECT_EQ(58, time.second) << c.ms;
        EXPECT_EQ(c.hundredths, time.hundredths) << c.ms << " ms";
    }
}

TEST_F(ClockRecords, ReadCalendarDateKeepsTheFullYear) {
    const struct {
        int year, month, day;
        uint8_t weekday;
    } cases[] = {
        {2000, 1, 1, 6}, {1999, 12, 31, 5}, {2000, 2, 29, 2}, {1601, 1, 1, 1}, {30827, 12, 31, 5},
    };
    for (const auto& c : cases) {
        sim::SetClock(c.year, c.month, c.day, 8, 0, 0, 0);
        CalendarDate date = {0xAA, 0xAA, 0xAAAAAAAAu, 0xAA};
        ReadCalendarDate(&date);
        EXPECT_EQ(static_cast<uint32_t>(c.year), +date.year);
        EXPECT_EQ(c.month, date.month) << c.year;
        EXPECT_EQ(c.day, date.day) << c.year;
        EXPECT_EQ(c.weekday, date.weekday) << c.year << "-" << c.month << "-" << c.day;
    }
}

TEST_F(ClockRecords, WriteTimeOfDaySetsMillisecondsFromHundredths) {
    const struct {
        uint8_t hundredths;
        int64_t ms;
    } cases[] = {{37, 370}, {0, 0}, {99, 990}};
    for (const auto& c : cases) {
        sim::SetClock(2026, 3, 5, 10, 15, 42, 575);
        const TimeOfDay time = {7, 8, 9, c.hundredths};
        WriteTimeOfDay(&time);
        const SYSTEMTIME now = sim::Clock();
        EXPECT_EQ(7, now.wHour);
        EXPECT_EQ(8, now.wMinute);
        EXPECT_EQ(9, now.wSecond);
        EXPECT_EQ(c.ms, now.wMilliseconds) << "hundredths " << int(c.hundredths);
    }
}

// The record carries one half of the clock; the other half is read again at
// the write, not taken from when the record was filled.
TEST_F(ClockRecords, WritersKeepTheOtherHalfAsOfTheWrite) {
    sim::SetClock(2026, 3, 5, 10, 15, 42, 570);
    TimeOfDay time;
    ReadTimeOfDay(&time);
    CalendarDate date;
    ReadCalendarDate(&date);
    time.hour = 3;
    date.day = 20;

    sim::SetClock(2027, 7, 9, 22, 30, 5, 120); // the clock moves on before the write
    WriteTimeOfDay(&time);
    std::vector<int64_t> expected = {2027, 7, 5, 9, 3, 15, 42, 570}; // a Friday
    EXPECT_EQ(expected, LastWrite());

    sim::SetClock(2028, 1, 2, 6, 7, 8, 90);
    WriteCalendarDate(&date);
    expected = {2026, 3, 4, 20, 6, 7, 8, 90};
    EXPECT_EQ(expected, LastWrite());
    EXPECT_EQ(2, sim::ClockWrites());
}

TEST_F(ClockRecords, WriteCalendarDateHandsTheWeekdayOnUnchanged) {
    // 2026-03-05 is a Thursday (4); the clock itself takes the weekday from
    // the date, so the passed weekday shows only in the call.
    for (uint8_t weekday : {0, 4, 6, 7, 200}) {
        sim::SetClock(2026, 3, 5, 10, 0, 0, 0);
        const CalendarDate date = {5, 3, 2026, weekday};
        WriteCalendarDate(&date);
        const auto written = LastWrite();
        ASSERT_EQ(8u, written.size());
        EXPECT_EQ(weekday, written[2]);
        EXPECT_EQ(4, sim::Clock().wDayOfWeek);
    }
}

TEST_F(ClockRecords, WritersCheckNoRanges) {
    // Out-of-range values reach SetLocalTime as they are; it refuses them and
    // the clock stays.
    const TimeOfDay time = {24, 60, 60, 100};
    WriteTimeOfDay(&time);
    std::vector<int64_t> expected = {2026, 3, 4, 5, 24, 60, 60, 1000};
    EXPECT_EQ(expected, LastWrite());
    const CalendarDate date = {31, 4, 0x12026, 4}; // the year keeps its low 16 bits
    WriteCalendarDate(&date);
    expected = {0x2026, 4, 4, 31, 10, 15, 42, 570};
    EXPECT_EQ(expected, LastWrite());
    EXPECT_EQ(2026, sim::Clock().wYear);
    EXPECT_EQ(3, sim::Clock().wMonth);
}

} // namespace
