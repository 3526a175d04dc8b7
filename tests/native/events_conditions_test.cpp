#include "events_test_support.h"

#include <cmath>
#include <limits>

#include "events/routines.h"
#include "module/registration.h"

using EventConditionsTest = EventsTest;

TEST_F(EventConditionsTest, EventTestComparesTheCountersLow16Bits) {
    struct Case {
        const char* name;
        uint8_t flags;
        int32_t eventCount;
        int16_t trigger;
        int32_t expected;
    } const cases[] = {
        {"same loop", 0, 5, 5, 1},
        {"a later loop", 0, 6, 5, 0},
        {"an earlier copy", 0, 4, 5, 0},
        {"counter past 32767", 0, 40000, static_cast<int16_t>(40000 - 65536), 1},
        {"counter past 32767, next loop", 0, 40001, static_cast<int16_t>(40000 - 65536), 0},
        {"counter past 65535", 0, 65536 + 5, 5, 1},
        {"counter at -1", 0, -1, -1, 1},
        {"counter at -1, copy 0xFFFF read as 65535 would differ", 0, -1, 0, 0},
        {"counter wrapped to INT32_MIN", 0, std::numeric_limits<int32_t>::min(), 0, 1},
        {"flag 0x02 with counters apart", 0x02, 6, 5, 1},
        {"flag 0x02 among others", 0xFF, 123456, -7, 1},
        {"other flags do not force", 0xFD, 6, 5, 0},
    };
    const ConditionRoutine events[] = {OnEachSecond, OnEachMinute, OnEachHour,
                                       OnEachDay,    OnEachMonth,  OnEachYear};
    for (const Case& c : cases) {
        run->header.flags = c.flags;
        run->header.runHeader->eventCount = c.eventCount;
        run->triggerEventCount = c.trigger;
        for (int i = 0; i < 6; ++i) {
            int32_t got = events[i](run, 0x7777, -1);
            EXPECT_EQ(c.expected, got) << c.name << ": condition " << (i + 1) << " got " << got
                                       << ", expected " << c.expected;
        }
    }
}

TEST_F(EventConditionsTest, SixEventsShareOneCopyAndAreReachedThroughTheTable) {
    run->header.runHeader->eventCount = 77;
    run->triggerEventCount = 77;
    for (int index = 1; index <= 6; ++index)
        EXPECT_EQ(1, ConditionTable[index](run, 0, 0)) << "index " << index;
    run->header.runHeader->eventCount = 78;
    for (int index = 1; index <= 6; ++index)
        EXPECT_EQ(0, ConditionTable[index](run, 0, 0)) << "index " << index;
}

// The conditions give thousandths, the expressions hundredths, of one timer.
TEST_F(EventConditionsTest, TimerReadingsInBothUnits) {
    constexpr int32_t kNotRunning = -1;
    struct Case {
        const char* name;
        int32_t runningFor; // hundredths since the start (below 0: the clock was set back
                            // before it), or kNotRunning
        int32_t banked;
        int32_t countdown;
        int32_t chronometer; // hundredths
        int32_t remaining;   // hundredths
    } const cases[] = {
        {"stopped with a bank", kNotRunning, 1234, 0, 1234, 0},
        {"running with a bank", 250, 100, 0, 350, 0},
        {"countdown never started", kNotRunning, 0, 6000, 0, 6000},
        {"countdown overrun by the bank", kNotRunning, 1500, 1000, 1500, 0},
        {"countdown overrun while running", 7000, 0, 6000, 7000, 0},
        {"countdown part run", 150, 50, 6000, 200, 5800},
        {"negative bank is not clamped", kNotRunning, -500, 0, -500, 500},
        {"clock set back before the start", -300, 1000, 6000, 700, 5300},
    };
    for (const Case& c : cases) {
        run->chronoStart = 0.0;
        if (c.runningFor != kNotRunning) StartedAgo(c.runningFor);
        run->chronoElapsed = c.banked;
        run->countdownStart = c.countdown;
        EXPECT_EQ(c.chronometer * 10, ChronometerReading(run, 0, 0)) << c.name;
        EXPECT_EQ(c.remaining * 10, CountdownReading(run, 0, 0)) << c.name;
        EXPECT_EQ(c.chronometer, GetChronometer(run, 0)) << c.name;
        EXPECT_EQ(c.remaining, GetCountdown(run, 0)) << c.name;
    }
}

TEST_F(EventConditionsTest, NegativeZeroStartCountsAsStopped) {
    run->chronoStart = -0.0;
    ASSERT_TRUE(std::signbit(run->chronoStart));
    run->chronoElapsed = 42;
    run->countdownStart = 100;
    EXPECT_EQ(420, ChronometerReading(run, 0, 0));
    EXPECT_EQ(580, CountdownReading(run, 0, 0));
}

// Times 10 and the countdown's difference wrap as 32-bit values do: the
// thousandths read below 0 past 214,748,364 hundredths, which a stored
// countdown of 597 hours already holds.
TEST_F(EventConditionsTest, ReadingsWrapInThirtyTwoBits) {
    struct Case {
        const char* name;
        int32_t banked;
        int32_t countdown;
        int32_t chronometerThousandths;
        int32_t remainingThousandths;
        int32_t remaining; // hundredths
    } const cases[] = {
        {"chronometer past the thousandths", 300000000, 0, static_cast<int32_t>(3000000000u), 0, 0},
        // 1 - INT32_MIN wraps to INT32_MIN + 1: negative, so nothing remains.
        {"countdown difference wraps", std::numeric_limits<int32_t>::min(), 1, 0, 0, 0},
        {"countdown at the last that fits", 0, 214748364, 0, 2147483640, 214748364},
        {"countdown one past it", 0, 214748365, 0, static_cast<int32_t>(2147483650u), 214748365},
        {"countdown of 597 hours", 0, 597 * 360000, 0, static_cast<int32_t>(2149200000u),
         214920000},
    };
    for (const Case& c : cases) {
        run->chronoElapsed = c.banked;
        run->countdownStart = c.countdown;
        EXPECT_EQ(c.chronometerThousandths, ChronometerReading(run, 0, 0)) << c.name;
        EXPECT_EQ(c.remainingThousandths, CountdownReading(run, 0, 0)) << c.name;
        EXPECT_EQ(c.remaining, GetCountdown(run, 0)) << c.name;
    }
}

TEST_F(EventConditionsTest, IsVisibleOnlyForExactlyOne) {
    struct Case {
        int16_t visible;
        int32_t expected;
    } const cases[] = {{1, 1}, {0, 0}, {2, 0}, {-1, 0}, {257, 0}};
    for (const Case& c : cases) {
        run->visible = c.visible;
        EXPECT_EQ(c.expected, IsVisible(run, 1, 1)) << "visible " << c.visible;
    }
}

TEST_F(EventConditionsTest, ConditionsChangeNothing) {
    run->header.runHeader->eventCount = 3;
    run->triggerEventCount = 3;
    StartedAgo(500);
    run->chronoElapsed = 9;
    run->countdownStart = 100;
    run->visible = 1;
    RunData before;
    std::memcpy(&before, run, sizeof before);
    for (int index = 0; index < kConditionCount; ++index)
        ConditionTable[index](run, 0, 0);
    EXPECT_EQ(0, std::memcmp(&before, run, sizeof before)) << "a condition wrote the run data";
    EXPECT_EQ(0, sim::ClockWrites());
    EXPECT_TRUE(sim::Calls().empty()) << "a condition called the host";
}
