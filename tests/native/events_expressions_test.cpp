#include "events_test_support.h"

#include "events/routines.h"
#include "module/registration.h"

using ExpressionsTest = EventsTest;

TEST_F(ExpressionsTest, ClockFieldsReadTheClockAsItStands) {
    struct Case {
        const char* name;
        int year, month, day, hour, minute, second, ms;
        int index;
        int32_t expected;
    } const cases[] = {
        {"hundredths truncate", 2026, 3, 5, 10, 15, 42, 579, 0, 57},
        {"hundredths of 0 ms", 2026, 3, 5, 10, 15, 42, 9, 0, 0},
        {"seconds", 2026, 3, 5, 10, 15, 42, 570, 1, 42},
        {"minutes", 2026, 3, 5, 10, 15, 42, 570, 2, 15},
        {"hours, 1 p.m. is 13", 2026, 3, 5, 13, 0, 0, 0, 3, 13},
        {"Sunday is 0", 2026, 3, 8, 10, 0, 0, 0, 4, 0},
        {"Saturday is 6", 2026, 3, 7, 10, 0, 0, 0, 4, 6},
        {"day of month", 2026, 3, 31, 10, 0, 0, 0, 5, 31},
        {"month", 2026, 12, 1, 10, 0, 0, 0, 6, 12},
        {"year in full", 1999, 6, 1, 10, 0, 0, 0, 7, 1999},
    };
    for (const Case& c : cases) {
        sim::SetClock(c.year, c.month, c.day, c.hour, c.minute, c.second, c.ms);
        EXPECT_EQ(c.expected, ExpressionTable[c.index](run, 0)) << c.name;
    }
}

TEST_F(ExpressionsTest, EachCallReadsTheClockAfresh) {
    const int32_t first = GetSeconds(run, 0);
    const int readsBefore = sim::ClockReads();
    sim::AdvanceClock(1000);
    EXPECT_EQ(first + 1, GetSeconds(run, 0));
    EXPECT_EQ(readsBefore + 1, sim::ClockReads());
}

// Distinct stored values for every point catch a point read from the wrong
// field or added to the wrong axis' origin.
TEST_F(ExpressionsTest, FacePointsAddTheOriginOfTheirAxis) {
    run->centreX = 101;
    run->centreY = 202;
    run->hourHandEndX = 303;
    run->hourHandEndY = 404;
    run->minuteHandEndX = -505;
    run->minuteHandEndY = 606;
    run->secondHandEndX = 707;
    run->secondHandEndY = -32768;
    const int32_t stored[8] = {101, 202, 303, 404, -505, 606, 707, -32768};
    struct Case {
        const char* name;
        int16_t displayType;
        int16_t originX, originY;
        bool analog;
    } const cases[] = {
        {"analog at origin 0,0", kDisplayAnalog, 0, 0, true},
        {"analog with an origin", kDisplayAnalog, 5, 7, true},
        {"analog with negative origin", kDisplayAnalog, -32768, -1, true},
        {"digital", kDisplayDigital, 5, 7, false},
        {"invisible", kDisplayInvisible, 5, 7, false},
        {"calendar", kDisplayCalendar, 5, 7, false},
        {"a type out of range", 4, 5, 7, false},
    };
    for (const Case& c : cases) {
        run->settings.displayType = c.displayType;
        run->header.runHeader->displayOriginX = c.originX;
        run->header.runHeader->displayOriginY = c.originY;
        for (int i = 0; i < 8; ++i) {
            const int32_t origin = (i % 2 == 0) ? c.originX : c.originY;
            const int32_t expected = c.analog ? stored[i] + origin : 0;
            EXPECT_EQ(expected, ExpressionTable[9 + i](run, 0))
                << c.name << ": expression " << (9 + i);
        }
    }
}

TEST_F(ExpressionsTest, AnalogCentreInFrameCoordinates) {
    // Object at 10,20, 100 x 100: the face's centre lies at 60,70 of the
    // frame, stored relative to the surface.
    struct Case {
        int16_t originX, originY, storedX, storedY;
    } const cases[] = {{0, 0, 60, 70}, {5, 7, 55, 63}};
    for (const Case& c : cases) {
        run->header.runHeader->displayOriginX = c.originX;
        run->header.runHeader->displayOriginY = c.originY;
        run->centreX = c.storedX;
        run->centreY = c.storedY;
        EXPECT_EQ(60, GetCentreX(run, 0)) << "origin " << c.originX;
        EXPECT_EQ(70, GetCentreY(run, 0)) << "origin " << c.originY;
    }
}

TEST_F(ExpressionsTest, ExpressionsChangeNothing) {
    run->settings.displayType = kDisplayAnalog;
    StartedAgo(100);
    run->countdownStart = 50;
    RunData before;
    std::memcpy(&before, run, sizeof before);
    for (int index = 0; index < kExpressionCount; ++index)
        ExpressionTable[index](run, 0);
    EXPECT_EQ(0, std::memcmp(&before, run, sizeof before));
    EXPECT_EQ(0, sim::ClockWrites());
    EXPECT_TRUE(sim::Calls().empty());
}
