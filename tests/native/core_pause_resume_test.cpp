#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <vector>

#include "core/shared_timer.h"
#include "core_test_support.h"

namespace {

using coretest::CoreTest;

TEST_F(CoreTest, PausingAStoppedTimerOnlyClearsPaused) {
    ASSERT_EQ(0, Create());
    run->paused = 1;
    run->chronoElapsed = 777;
    RunData expected = *run;
    expected.paused = 0;
    int reads = sim::ClockReads();

    EXPECT_EQ(0, PauseRunObject(run));
    EXPECT_EQ(0, std::memcmp(&expected, run, sizeof expected));
    EXPECT_EQ(reads, sim::ClockReads());
}

TEST_F(CoreTest, PausingBanksTheRunningPartAndStops) {
    struct {
        int32_t banked;
        int32_t runningFor;
        int32_t expected;
    } const cases[] = {
        {1000, 250, 1250},
        {0, 0, 0},
        {INT32_MAX, 1, INT32_MIN},
    };
    for (const auto& c : cases) {
        Restart();
        ASSERT_EQ(0, Create());
        run->chronoElapsed = c.banked;
        run->chronoStart = CurrentTimeCount() - c.runningFor;

        EXPECT_EQ(0, PauseRunObject(run));
        EXPECT_EQ(c.expected, +run->chronoElapsed) << c.banked << " + " << c.runningFor;
        EXPECT_EQ(0.0, +run->chronoStart) << c.banked << " + " << c.runningFor;
        EXPECT_EQ(1, +run->paused) << c.banked << " + " << c.runningFor;
    }
}

TEST_F(CoreTest, ResumingRestartsOnlyATimerThePauseStopped) {
    struct {
        int16_t paused;
        bool restarts;
    } const cases[] = {{0, false}, {1, true}, {2, false}};
    for (const auto& c : cases) {
        Restart();
        sim::SetClock(2026, 3, 5, 10, 15, 42, 0);
        ASSERT_EQ(0, Create());
        run->paused = c.paused;
        run->chronoElapsed = 500;
        sim::SetClock(2026, 7, 9, 18, 1, 2, 340);
        const double now = CurrentTimeCount();

        EXPECT_EQ(0, ContinueRunObject(run));
        EXPECT_EQ(c.restarts ? now : 0.0, +run->chronoStart) << "paused " << c.paused;
        EXPECT_EQ(500, +run->chronoElapsed) << "paused " << c.paused;
        EXPECT_EQ(c.paused, +run->paused) << "paused " << c.paused;
        // The clock as it now is counts as seen, and as the last sample.
        const int16_t seen[] = {run->lastSecond, run->lastMinute, run->lastHour,
                                run->lastDay,    run->lastMonth,  run->lastYear};
        const int16_t expected[] = {2, 1, 18, 9, 7, 2026};
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(expected[i], seen[i]) << "paused " << c.paused << ", unit " << i;
        EXPECT_EQ(now, +run->lastTimeCount) << "paused " << c.paused;
    }
}

TEST_F(CoreTest, ResumingTwiceRestartsWithoutBanking) {
    ASSERT_EQ(0, Create());
    run->paused = 1;
    run->chronoElapsed = 40;
    ContinueRunObject(run);
    sim::AdvanceClock(5000);
    ContinueRunObject(run);
    EXPECT_EQ(CurrentTimeCount(), +run->chronoStart);
    EXPECT_EQ(40, +run->chronoElapsed);
}

// The host may make no calls at all while the game is paused, for however
// long; the timer must read what it read at the pause plus the time since
// resuming, and nothing that happened during the pause raises an event.
TEST_F(CoreTest, TimerLosesAndGainsNothingAcrossAPause) {
    struct {
        const char* what;
        int64_t pauseMs;
    } const cases[] = {
        {"no time", 0},
        {"1.5 s", 1500},
        {"2.01 s", 2010},
        {"an hour", 3600 * 1000},
        {"three days", int64_t{3} * 86400 * 1000},
        {"clock set back an hour", -3600 * 1000},
    };
    for (const auto& c : cases) {
        Restart();
        sim::SetClock(2026, 3, 5, 10, 15, 0, 0);
        edit.settings.clockMode = kModeChronometer;
        ASSERT_EQ(0, Create());
        Frames(12, 10);
        run->chronoStart = CurrentTimeCount();
        Frames(500, 10);
        ASSERT_EQ(0, PauseRunObject(run));
        const int32_t atPause = TimerValue(run);
        ASSERT_EQ(500, atPause) << c.what;

        sim::AdvanceClock(c.pauseMs);
        ASSERT_EQ(0, ContinueRunObject(run));
        sim::ClearCalls();
        Frames(12);
        EXPECT_TRUE(PushedCodes().empty()) << c.what;
        EXPECT_EQ(atPause, TimerValue(run)) << c.what;
        Frames(300, 10);
        EXPECT_EQ(atPause + 300, TimerValue(run)) << c.what;
    }
}

} // namespace
