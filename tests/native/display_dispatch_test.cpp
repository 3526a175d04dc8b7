#include "tests/native/display_test_support.h"

namespace {

class DispatchTest : public DisplayTest {
  protected:
    void SetUp() override {
        DisplayTest::SetUp();
        run->header.x = 120;
        run->header.y = 80;
        run->header.width = 101;
        run->header.height = 101;
        sim::TheRunHeader()->displayOriginX = 20;
        sim::TheRunHeader()->displayOriginY = 30;
        run->settings.hourHand = run->settings.minuteHand = run->settings.secondHand = 1;
        run->settings.analogMarks = 1;
        run->settings.border = 1;
    }

    // Everything that reached the surface, in order, for comparing two draws.
    static std::vector<std::vector<int64_t>> SurfaceCalls() {
        std::vector<std::vector<int64_t>> out;
        for (const sim::Call& c : sim::Calls())
            if (c.op == "HostDrawLine" || c.op == "HostDrawText" || c.op == "Ellipse" ||
                c.op == "HostMarkChanged")
                out.push_back(Args(c, 1));
        return out;
    }
};

TEST_F(DispatchTest, NothingDrawnOutsideTheKnownValues) {
    struct {
        const char* what;
        int16_t visible, displayType, digitalFormat, calendarFormat;
    } const cases[] = {
        {"hidden digital", 0, kDisplayDigital, 0, 0},
        {"hidden, visible 2", 2, kDisplayAnalog, 0, 0},
        {"hidden analog", 0, kDisplayAnalog, 0, 0},
        {"invisible type", 1, kDisplayInvisible, 0, 0},
        {"type 4", 1, 4, 0, 0},
        {"type -1", 1, -1, 0, 0},
        {"digital format 4", 1, kDisplayDigital, 4, 0},
        {"digital format -1", 1, kDisplayDigital, -1, 0},
        {"calendar format 3", 1, kDisplayCalendar, 0, 3},
        {"calendar format -1", 1, kDisplayCalendar, 0, -1},
    };
    for (const auto& c : cases) {
        run->visible = c.visible;
        run->settings.displayType = c.displayType;
        run->settings.digitalFormat = c.digitalFormat;
        run->settings.calendarFormat = c.calendarFormat;
        sim::ClearCalls();
        EXPECT_EQ(0, DisplayRunObject(run)) << c.what;
        for (const char* op : {"HostDrawText", "HostDrawLine", "HostDrawFrame", "Ellipse",
                               "HostFontGetGdiFont", "HostGetSurfaceDC"})
            EXPECT_TRUE(sim::CallsNamed(op).empty()) << c.what << ": " << op;
        ExpectNothingLeftOver();
    }
}

TEST_F(DispatchTest, HiddenObjectReadsNothing) {
    run->visible = 0;
    run->settings.displayType = kDisplayDigital;
    EXPECT_EQ(0, DisplayRunObject(run));
    EXPECT_TRUE(sim::Calls().empty());
    EXPECT_EQ(0, sim::ClockReads());
}

TEST_F(DispatchTest, FaceRectangleLeavesRoomForNumerals) {
    run->settings.displayType = kDisplayAnalog;
    run->header.width = 200;
    run->header.height = 150;
    struct {
        int16_t numerals, insetX, insetY;
        std::vector<int64_t> face;
    } const cases[] = {
        {kNumeralsNone, 31, 20, {100, 50, 300, 200}},
        {kNumeralsArabic, 31, 20, {115, 60, 285, 190}},
        {kNumeralsRoman, 31, 20, {115, 60, 285, 190}},
        {kNumeralsArabic, -31, -21, {85, 40, 315, 210}},
        {kNumeralsArabic, 1, 0, {100, 50, 300, 200}},
    };
    for (const auto& c : cases) {
        run->settings.analogNumerals = c.numerals;
        run->dialInsetX = c.insetX;
        run->dialInsetY = c.insetY;
        sim::ClearCalls();
        DisplayRunObject(run);
        auto marked = sim::CallsNamed("HostMarkChanged");
        ASSERT_EQ(1u, marked.size());
        EXPECT_EQ(c.face, Args(marked[0], 1)) << c.numerals << " " << c.insetX << " " << c.insetY;
    }
}

// What the object shows as analog hands: the local hour folded once, or the
// timer's hours folded once (so a timer of 25 hours gives 13).
TEST_F(DispatchTest, AnalogHandsFromClockOrTimer) {
    run->settings.displayType = kDisplayAnalog;
    run->settings.analogNumerals = kNumeralsNone;
    struct {
        int16_t mode;
        int clockHour, clockMinute, clockSecond;
        int32_t timer;
        int16_t hour, minute, second;
    } const cases[] = {
        {kModeTime, 0, 5, 9, 0, 0, 5, 9},
        {kModeTime, 11, 59, 58, 0, 11, 59, 58},
        {kModeTime, 12, 0, 1, 0, 0, 0, 1},
        {kModeTime, 23, 45, 30, 0, 11, 45, 30},
        {kModeChronometer, 10, 0, 0, 0, 0, 0, 0},
        {kModeChronometer, 10, 0, 0, 4838845, 1, 26, 28},
        {kModeChronometer, 10, 0, 0, 9000000, 13, 0, 0},
        {kModeCountdown, 10, 0, 0, 9000000, 13, 0, 0},
        {5, 10, 0, 0, 4838845, 1, 26, 28},
    };
    for (const auto& c : cases) {
        sim::SetClock(2026, 3, 5, c.clockHour, c.clockMinute, c.clockSecond, 990);
        run->settings.clockMode = c.mode;
        StoppedTimer(c.mode == kModeCountdown ? 0 : c.timer);
        run->countdownStart = c.timer;

        sim::ClearCalls();
        DisplayRunObject(run);
        auto shown = SurfaceCalls();
        sim::ClearCalls();
        RECT face{100, 50, 201, 151};
        DrawAnalogFace(run, c.hour, c.minute, c.second, &face);
        EXPECT_EQ(SurfaceCalls(), shown) << "mode " << c.mode << " timer " << c.timer << " clock "
                                         << c.clockHour << ":" << c.clockMinute;
    }
}

// Noon and timers of exactly 12 and 24 hours, where the hour folds. Hour 12
// and hour 0 point almost the same way (the hour step is not exactly a
// twelfth of a turn), so the face is large enough for the two to differ.
TEST_F(DispatchTest, AnalogHourFoldsAtTwelve) {
    run->settings.displayType = kDisplayAnalog;
    run->settings.analogNumerals = kNumeralsNone;
    run->header.width = 2001;
    run->header.height = 2001;
    const RECT face{100, 50, 2101, 2051};
    auto draw = [&](int16_t hour) {
        sim::ClearCalls();
        RECT f = face;
        DrawAnalogFace(run, hour, 0, 0, &f);
        return SurfaceCalls();
    };
    ASSERT_NE(draw(0), draw(12)) << "the face cannot tell hour 0 from hour 12";
    struct {
        int16_t mode;
        int clockHour;
        int32_t timer;
        int16_t hour;
    } const cases[] = {
        {kModeTime, 12, 0, 0},
        {kModeTime, 0, 0, 0},
        {kModeChronometer, 10, 4320000, 0},
        {kModeChronometer, 10, 8640000, 12},
        {kModeCountdown, 10, 4320000, 0},
        {kModeCountdown, 10, 8640000, 12},
    };
    for (const auto& c : cases) {
        sim::SetClock(2026, 3, 5, c.clockHour, 0, 0, 0);
        run->settings.clockMode = c.mode;
        StoppedTimer(c.mode == kModeCountdown ? 0 : c.timer);
        run->countdownStart = c.timer;
        sim::ClearCalls();
        DisplayRunObject(run);
        const auto shown = SurfaceCalls();
        EXPECT_EQ(draw(c.hour), shown)
            << "mode " << c.mode << " clock hour " << c.clockHour << " timer " << c.timer;
    }
}

} // namespace
