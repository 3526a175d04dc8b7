#include "events_test_support.h"

#include "events/routines.h"

using ObjectActionsTest = EventsTest;

TEST_F(ObjectActionsTest, ShowAndHideRedisplayOnlyOnAChange) {
    struct Case {
        const char* name;
        ActionRoutine action;
        int16_t before, after; // visible
        int redisplays;
    } const cases[] = {
        {"show hidden", ShowObject, 0, 1, 1},    {"show shown", ShowObject, 1, 1, 0},
        {"hide shown", HideObject, 1, 0, 1},     {"hide hidden", HideObject, 0, 0, 0},
        {"show odd value", ShowObject, 2, 1, 1}, {"hide odd value", HideObject, 2, 0, 1},
    };
    for (const Case& c : cases) {
        sim::ClearCalls();
        run->visible = c.before;
        EXPECT_EQ(0, c.action(run, 0, 0)) << c.name;
        EXPECT_EQ(c.after, run->visible) << c.name;
        EXPECT_EQ(c.redisplays, Redisplays()) << c.name;
    }
}

// Sentinels in every header field show which one an action touched.
TEST_F(ObjectActionsTest, GeometryTakesLow16BitsWithoutRangeTest) {
    struct Geometry {
        int16_t x, y, width, height;
    };
    const Geometry kBefore{11, 22, 33, 44};
    struct Case {
        const char* name;
        ActionRoutine action;
        int32_t param;
        Geometry after;
    } const cases[] = {
        {"SetPosition x high, y low", SetPosition, 100 * 65536 + 50, {100, 50, 33, 44}},
        {"SetPosition low half 0xFFFF", SetPosition, 0x0064FFFF, {100, -1, 33, 44}},
        {"SetPosition negative x", SetPosition, static_cast<int32_t>(0xFFFE0003u), {-2, 3, 33, 44}},
        {"SetPosition to where it is", SetPosition, 11 * 65536 + 22, {11, 22, 33, 44}},
        {"SetXPosition", SetXPosition, -40, {-40, 22, 33, 44}},
        {"SetXPosition above 16 bits", SetXPosition, 70000, {70000 - 65536, 22, 33, 44}},
        {"SetYPosition", SetYPosition, 32768, {11, -32768, 33, 44}},
        {"SetWidth", SetWidth, 640, {11, 22, 640, 44}},
        {"SetWidth zero", SetWidth, 0, {11, 22, 0, 44}},
        {"SetWidth negative", SetWidth, -5, {11, 22, -5, 44}},
        {"SetHeight", SetHeight, 0x12345678, {11, 22, 33, 0x5678}},
    };
    for (const Case& c : cases) {
        sim::ClearCalls();
        run->header.x = kBefore.x;
        run->header.y = kBefore.y;
        run->header.width = kBefore.width;
        run->header.height = kBefore.height;
        run->header.hotSpotX = 5;
        run->header.hotSpotY = 6;
        EXPECT_EQ(0, c.action(run, c.param, 0)) << c.name;
        EXPECT_EQ(c.after.x, run->header.x) << c.name;
        EXPECT_EQ(c.after.y, run->header.y) << c.name;
        EXPECT_EQ(c.after.width, run->header.width) << c.name;
        EXPECT_EQ(c.after.height, run->header.height) << c.name;
        EXPECT_EQ(5, run->header.hotSpotX) << c.name << ": hot spot touched";
        EXPECT_EQ(6, run->header.hotSpotY) << c.name << ": hot spot touched";
        ExpectOneRedisplay(c.name);
    }
}

TEST_F(ObjectActionsTest, PositionReadsBackSignExtended) {
    SetPosition(run, 0x0064FFFF, 0);
    EXPECT_EQ(100, GetXPosition(run, 0));
    EXPECT_EQ(-1, GetYPosition(run, 0));
    SetWidth(run, 0x8000, 0);
    EXPECT_EQ(-32768, GetWidth(run, 0));
    SetHeight(run, 0xFFFF, 0);
    EXPECT_EQ(-1, GetHeight(run, 0));
}
