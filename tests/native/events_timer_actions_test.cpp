#include "events_test_support.h"

#include <cmath>
#include <limits>
#include <string>

#include "events/routines.h"

using TimerActionsTest = EventsTest;

// Every action from each of the timer's two states. The running timer was
// started 300 hundredths ago with 700 banked before; the countdown is 5000.
TEST_F(TimerActionsTest, EachActionFromEachState) {
    enum Start { kKeepsStart, kStartsNow, kStopped };
    struct Outcome {
        Start start;
        int32_t banked;
    };
    struct Case {
        const char* name;
        ActionRoutine action;
        int32_t param;
        Outcome fromStopped, fromRunning;
        int32_t countdown;
        int redisplays;
    } const cases[] = {
        {"StartChronometer", StartChronometer, 0, {kStartsNow, 700}, {kKeepsStart, 700}, 5000, 0},
        {"StartCountdown", StartCountdown, 0, {kStartsNow, 700}, {kKeepsStart, 700}, 5000, 0},
        {"StopChronometer", StopChronometer, 0, {kStopped, 700}, {kStopped, 1000}, 5000, 0},
        {"StopCountdown", StopCountdown, 0, {kStopped, 700}, {kStopped, 1000}, 5000, 0},
        {"ResetChronometer", ResetChronometer, 0, {kStopped, 0}, {kStopped, 0}, 5000, 1},
        {"SetCountdown", SetCountdown, 60000, {kStopped, 0}, {kStopped, 0}, 6000, 1},
    };
    for (const Case& c : cases) {
        for (bool running : {false, true}) {
            const std::string name =
                std::string(c.name) + (running ? " from running" : " from stopped");
            const Outcome& o = running ? c.fromRunning : c.fromStopped;
            Restart();
            if (running) StartedAgo(300);
            const double startBefore = run->chronoStart;
            run->chronoElapsed = 700;
            run->countdownStart = 5000;
            EXPECT_EQ(0, c.action(run, c.param, 0)) << name;
            switch (o.start) {
            case kKeepsStart:
                EXPECT_EQ(startBefore, +run->chronoStart) << name;
                break;
            case kStartsNow:
                EXPECT_EQ(CurrentTimeCount(), +run->chronoStart) << name;
                break;
            case kStopped:
                EXPECT_EQ(0.0, +run->chronoStart) << name;
                EXPECT_FALSE(std::signbit(run->chronoStart)) << name;
                break;
            }
            EXPECT_EQ(o.banked, +run->chronoElapsed) << name;
            EXPECT_EQ(c.countdown, +run->countdownStart) << name;
            EXPECT_EQ(c.redisplays, Redisplays()) << name;
            EXPECT_EQ(0, sim::ClockWrites()) << name;
        }
    }
}

TEST_F(TimerActionsTest, NegativeZeroStartIsStopped) {
    run->chronoStart = -0.0;
    run->chronoElapsed = 40;
    StopChronometer(run, 0, 0);
    EXPECT_EQ(40, +run->chronoElapsed) << "a stopped timer has nothing to bank";
    StartChronometer(run, 0, 0);
    EXPECT_EQ(CurrentTimeCount(), +run->chronoStart) << "a stopped timer starts";
}

TEST_F(TimerActionsTest, SecondStartKeepsCountingFromTheFirst) {
    StartChronometer(run, 0, 0);
    sim::AdvanceClock(3000);
    StartChronometer(run, 0, 0);
    sim::AdvanceClock(2000);
    EXPECT_EQ(500, GetChronometer(run, 0));
    EXPECT_EQ(5000, ChronometerReading(run, 0, 0));
}

TEST_F(TimerActionsTest, CountdownAndChronometerDriveOneTimer) {
    SetCountdown(run, 60000, 0);
    EXPECT_EQ(60000, CountdownReading(run, 0, 0)) << "set, not yet started";
    EXPECT_EQ(6000, GetCountdown(run, 0)) << "set, not yet started";
    StartCountdown(run, 0, 0);
    sim::AdvanceClock(1500);
    StopChronometer(run, 0, 0);
    sim::AdvanceClock(5000);
    EXPECT_EQ(5850, GetCountdown(run, 0)) << "stopped by the chronometer's stop";
    EXPECT_EQ(150, GetChronometer(run, 0));
    StartChronometer(run, 0, 0);
    sim::AdvanceClock(100000);
    EXPECT_EQ(0, GetCountdown(run, 0)) << "run out, never below 0";
    EXPECT_NE(0.0, +run->chronoStart) << "running out does not stop the timer";
}

TEST_F(TimerActionsTest, ResetOnARunningTimerReadsZeroFromThenOn) {
    StartChronometer(run, 0, 0);
    sim::AdvanceClock(4000);
    ResetChronometer(run, 0, 0);
    EXPECT_EQ(0, ChronometerReading(run, 0, 0));
    sim::AdvanceClock(4000);
    EXPECT_EQ(0, GetChronometer(run, 0)) << "reset leaves the timer stopped";
}

TEST_F(TimerActionsTest, SetCountdownTruncatesThousandthsTowardZero) {
    struct Case {
        int32_t thousandths;
        int32_t hundredths;
    } const cases[] = {
        {15, 1},
        {9, 0},
        {-15, -1},
        {-9, 0},
        {60000, 6000},
        {std::numeric_limits<int32_t>::max(), 214748364},
        {std::numeric_limits<int32_t>::min(), -214748364},
    };
    for (const Case& c : cases) {
        SetCountdown(run, c.thousandths, 0);
        EXPECT_EQ(c.hundredths, +run->countdownStart) << "SetCountdown(" << c.thousandths << ")";
    }
}

TEST_F(TimerActionsTest, StopBanksWithThirtyTwoBitWrap) {
    run->chronoElapsed = std::numeric_limits<int32_t>::max();
    StartedAgo(100);
    StopChronometer(run, 0, 0);
    EXPECT_EQ(std::numeric_limits<int32_t>::min() + 99, +run->chronoElapsed);
}
