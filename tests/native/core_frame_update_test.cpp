#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/shared_timer.h"
#include "core_test_support.h"

namespace {

using coretest::CoreTest;
using coretest::Push;

// The scale the timer runs on: whole hundredths from a point of the year,
// blind to leap years, never 0.
TEST_F(CoreTest, TimeCountOfTheClock) {
    struct {
        int year, month, day, hour, minute, second, millisecond;
        double expected;
    } const cases[] = {
        {2026, 1, 1, 0, 0, 0, 0, 8640000.0},
        {2026, 12, 31, 23, 59, 59, 999, 3162239999.0},
        {2026, 3, 5, 10, 15, 42, 570, 556654257.0},
        {2026, 3, 5, 10, 15, 42, 9, 556654200.0},
        {2024, 2, 29, 12, 0, 0, 0, 522720000.0},
        {2024, 3, 1, 0, 0, 0, 0, 518400000.0}, // a day back from 29 February
    };
    for (const auto& c : cases) {
        sim::SetClock(c.year, c.month, c.day, c.hour, c.minute, c.second, c.millisecond);
        EXPECT_EQ(c.expected, CurrentTimeCount())
            << c.year << "-" << c.month << "-" << c.day << " " << c.hour << ":" << c.minute << ":"
            << c.second << "." << c.millisecond;
    }
}

// Every change of month: the time count just after it (the new day's day of
// the year, in a day's hundredths), and a timer running across it, read 2.4 s
// after it started. Only the year's turn and the end of a leap day step back,
// which the timer takes as a jump: it loses the 12 hundredths of the sample
// period that straddles it.
TEST_F(CoreTest, EachChangeOfMonth) {
    struct {
        int year, month, lastDay; // the month left
        int dayOfYear;            // of the day after lastDay, blind to leap years
        int32_t timer;
    } const cases[] = {
        {2026, 1, 31, 32, 240},   {2026, 2, 28, 60, 240},   {2026, 3, 31, 91, 240},
        {2026, 4, 30, 121, 240},  {2026, 5, 31, 152, 240},  {2026, 6, 30, 182, 240},
        {2026, 7, 31, 213, 240},  {2026, 8, 31, 244, 240},  {2026, 9, 30, 274, 240},
        {2026, 10, 31, 305, 240}, {2026, 11, 30, 335, 240}, {2026, 12, 31, 1, 228},
        {2024, 2, 28, 60, 240},   {2024, 2, 29, 60, 228},
    };
    for (const auto& c : cases) {
        Restart();
        const std::string at = std::to_string(c.year) + "-" + std::to_string(c.month) + "-" +
                               std::to_string(c.lastDay);
        sim::SetClock(c.year, c.month, c.lastDay, 23, 59, 59, 0);
        ASSERT_EQ(0, Create()) << at;
        Frames(12, 10);
        run->chronoStart = CurrentTimeCount();
        Frames(240, 10);
        EXPECT_EQ(c.timer, TimerValue(run)) << at;

        // 2.52 s after 23:59:59.000: 1.52 s into the next day.
        EXPECT_EQ(c.dayOfYear * kHundredthsPerDay + 152, CurrentTimeCount()) << at;
    }
}

TEST_F(CoreTest, ClockIsSampledOnEveryTwelfthCall) {
    sim::SetClock(2026, 3, 5, 10, 15, 0, 0);
    ASSERT_EQ(0, Create());
    struct {
        int fromCall, toCall;
        int16_t result;
        int clockReads; // per call
    } const cases[] = {
        {1, 1, kResultRedraw, 0},   // first call: redraw, no sample
        {2, 11, 0, 0},              // quiet calls
        {12, 12, kResultRedraw, 2}, // sample: the second has moved
        {13, 23, 0, 0},
        {24, 24, kResultRedraw, 2},
    };
    for (const auto& c : cases) {
        for (int call = c.fromCall; call <= c.toCall; ++call) {
            int reads = sim::ClockReads();
            sim::AdvanceClock(1000);
            EXPECT_EQ(c.result, HandleRunObject(run)) << "call " << call;
            EXPECT_EQ(c.clockReads, sim::ClockReads() - reads) << "call " << call;
            EXPECT_EQ(call % 12, +run->frameCounter) << "call " << call;
        }
    }
    EXPECT_EQ(std::vector<int64_t>({1, 1}), PushedCodes());
}

// One sample at T0, the timer started `startOffset` hundredths after it (so
// running for -startOffset), then a sample `step` hundredths later.
TEST_F(CoreTest, JumpBanksWhatTheTimerCountedUpToThePreviousSample) {
    struct {
        const char* what;
        int step, startOffset;
        bool jump;
        int32_t banked;
    } const cases[] = {
        {"200 apart", 200, -500, false, 0},
        {"201 apart", 201, -500, true, 500},
        {"1 back", -1, -500, true, 500},
        {"an hour back", -360000, -500, true, 500},
        {"started after the sample", 201, 50, true, 50},
        {"started at the sample", 300, 0, true, 0},
    };
    for (const auto& c : cases) {
        Restart();
        ASSERT_EQ(0, Create());
        Frames(12);
        const double t0 = run->lastTimeCount;
        ASSERT_NE(0.0, t0);
        run->chronoStart = t0 + c.startOffset;
        run->chronoElapsed = 1000;

        sim::AdvanceClock(int64_t{c.step} * 10);
        UpToSample();
        Frames(1);

        EXPECT_EQ(t0 + c.step, +run->lastTimeCount) << c.what;
        EXPECT_EQ(c.jump ? t0 + c.step : t0 + c.startOffset, +run->chronoStart) << c.what;
        EXPECT_EQ(1000 + c.banked, +run->chronoElapsed) << c.what;
    }
}

TEST_F(CoreTest, FirstSampleIsNeverAForwardJump) {
    ASSERT_EQ(0, Create());
    run->chronoStart = CurrentTimeCount();
    sim::AdvanceClock(3600 * 1000);
    Frames(12);
    EXPECT_EQ(CurrentTimeCount() - 360000, +run->chronoStart);
    EXPECT_EQ(0, +run->chronoElapsed);
    EXPECT_EQ(360000, TimerValue(run));
}

TEST_F(CoreTest, TimerDoesNotLoseAnHourWhenTheClockIsSetBack) {
    edit.settings.clockMode = kModeChronometer;
    ASSERT_EQ(0, Create());
    Frames(12, 10);
    run->chronoStart = CurrentTimeCount();
    Frames(1200, 10); // 12 s
    const int32_t before = TimerValue(run);
    ASSERT_EQ(1200, before);

    sim::AdvanceClock(-3600 * 1000);
    Frames(12, 10); // the sample that sees the jump, 12 hundredths after the last
    EXPECT_EQ(before, TimerValue(run));
    Frames(120, 10);
    EXPECT_EQ(before + 120, TimerValue(run));
}

// Samples more than two seconds apart each count as a jump: the running timer
// counts only within one sample period.
TEST_F(CoreTest, SeldomSamplesCountAsJumps) {
    ASSERT_EQ(0, Create());
    Frames(12);
    run->chronoStart = run->lastTimeCount;
    for (int sample = 1; sample <= 3; ++sample) {
        Frames(12, 250);
        EXPECT_EQ(CurrentTimeCount(), +run->chronoStart) << "sample " << sample;
        EXPECT_EQ(0, TimerValue(run)) << "sample " << sample;
    }
}

struct Moment {
    int year, month, day, hour, minute, second, millisecond;
};

TEST_F(CoreTest, EachUnitChangeRaisesItsEventsInOrder) {
    const Moment lastOfYear = {2025, 12, 31, 23, 59, 59, 990};
    const Moment newYear = {2026, 1, 1, 0, 0, 0, 0};
    struct {
        const char* what;
        int16_t displayType;
        Moment from, to;
        std::vector<int32_t> codes;
        int16_t result;
    } const cases[] = {
        {"digital, 58 to 59",
         1,
         {2026, 3, 5, 10, 15, 58, 0},
         {2026, 3, 5, 10, 15, 59, 0},
         {1},
         kResultRedraw},
        {"digital, new year", 1, lastOfYear, newYear, {1, 2, 3}, kResultRedraw},
        {"analog, new year", 0, lastOfYear, newYear, {1, 2, 3}, kResultRedraw},
        {"invisible, new year", 2, lastOfYear, newYear, {1, 2, 3}, kResultRedraw},
        {"calendar, new year", 3, lastOfYear, newYear, {4, 5, 6}, kResultRedraw},
        {"calendar, new month",
         3,
         {2026, 3, 31, 23, 0, 0, 0},
         {2026, 4, 1, 0, 0, 0, 0},
         {4, 5},
         kResultRedraw},
        {"calendar, 9 to 10", 3, {2026, 3, 5, 9, 59, 59, 0}, {2026, 3, 5, 10, 0, 0, 0}, {}, 0},
        // A unit is looked at only when the one below it has changed.
        {"digital, minute set", 1, {2026, 3, 5, 10, 15, 42, 0}, {2026, 3, 5, 10, 16, 42, 0}, {}, 0},
        {"calendar, day set", 3, {2026, 3, 5, 10, 15, 0, 0}, {2026, 3, 6, 10, 15, 0, 0}, {}, 0},
        {"calendar, month set", 3, {2026, 3, 5, 10, 15, 0, 0}, {2026, 4, 5, 11, 0, 0, 0}, {}, 0},
        {"calendar, year set",
         3,
         {2026, 3, 5, 23, 59, 59, 0},
         {2027, 3, 6, 0, 0, 0, 0},
         {4},
         kResultRedraw},
        {"type 5, new year", 5, lastOfYear, newYear, {}, 0},
        {"type -1, new year", -1, lastOfYear, newYear, {}, 0},
    };
    for (const auto& c : cases) {
        Restart();
        const Moment& f = c.from;
        const Moment& t = c.to;
        sim::SetClock(f.year, f.month, f.day, f.hour, f.minute, f.second, f.millisecond);
        edit = Settings(c.displayType);
        ASSERT_EQ(0, Create()) << c.what;
        UpToSample();
        sim::TheRunHeader()->eventCount = 0x12345;
        std::vector<Push> pushes;
        WatchPushes(&pushes);
        sim::SetClock(t.year, t.month, t.day, t.hour, t.minute, t.second, t.millisecond);

        EXPECT_EQ(c.result, HandleRunObject(run)) << c.what;
        std::vector<int32_t> codes;
        for (const Push& p : pushes)
            codes.push_back(p.code);
        EXPECT_EQ(c.codes, codes) << c.what;

        // At each push the conditions must find the count of that moment and
        // the unit already updated.
        for (const Push& p : pushes) {
            std::string at = std::string(c.what) + ", code " + std::to_string(p.code);
            EXPECT_EQ(static_cast<int16_t>(p.eventCount), p.triggerEventCount) << at;
            const int16_t seen[] = {p.lastSecond, p.lastMinute, p.lastHour,
                                    p.lastDay,    p.lastMonth,  p.lastYear};
            const int expected[] = {t.second, t.minute, t.hour, t.day, t.month, t.year};
            EXPECT_EQ(expected[p.code - 1], seen[p.code - 1]) << at;
        }
        if (c.displayType == kDisplayCalendar) {
            EXPECT_EQ(t.hour, +run->lastHour) << c.what;
        }
    }
}

TEST_F(CoreTest, UnknownDisplayTypeStillKeepsTheTimerFromJumps) {
    edit = Settings(5);
    ASSERT_EQ(0, Create());
    EXPECT_EQ(kResultRedraw, Frames(12, 10)[0]);
    run->chronoStart = run->lastTimeCount - 300;
    sim::AdvanceClock(-60 * 1000);
    EXPECT_EQ(std::vector<int16_t>(12, 0), Frames(12));
    EXPECT_EQ(CurrentTimeCount(), +run->chronoStart);
    EXPECT_EQ(300, +run->chronoElapsed);
    EXPECT_TRUE(PushedCodes().empty());
}

TEST_F(CoreTest, ReInitChangesNothing) {
    ASSERT_EQ(0, Create());
    Frames(5);
    RunData before = *run;
    EXPECT_EQ(0, ReInitRunObject(run));
    EXPECT_EQ(0, std::memcmp(&before, run, sizeof before));
    EXPECT_EQ(2, sim::ClockReads());
}

} // namespace
