// The real CHRONYX.dll drawn by the reference host: pixels probed where the
// geometry puts the hand tips and the circle of an analog face, and the ink
// of a digital text centred in its rectangle.
#include <gtest/gtest.h>

#include <windows.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "host/chronyx_host/host_run.h"
#include "host/chronyx_host/module_binding.h"
#include "host/chronyx_host/routine_names.h"
#include "host/hostrun/hostrun_host.h"

namespace {

// One frame of a scenario, stopped before the objects are destroyed so that
// the surface can be looked at.
class PictureTest : public ::testing::Test {
  protected:
    void SetUp() override {
        BindError error;
        ASSERT_TRUE(BindModule(ModuleBesideThisProgram(), &module_, &error))
            << error.where << ": " << error.message;
        sink_ = std::fopen("NUL", "wb");
        ASSERT_NE(sink_, nullptr);
    }
    void TearDown() override {
        if (started_) FinishRun(&run_);
        EXPECT_EQ(0, run_.faults) << "the module broke the host contract: " << run_.firstFault;
        if (sink_) std::fclose(sink_);
        ReleaseModule(&module_);
    }
    void RunOneFrame(const std::string& json) {
        ScenarioError problem;
        ASSERT_TRUE(ParseScenario(json, &scenario_, &problem))
            << problem.where << ": " << problem.message;
        RunOptions options;
        options.logStream = sink_;
        std::string error;
        ASSERT_TRUE(StartRun(&run_, scenario_, module_, options, &error)) << error;
        started_ = true;
        ASSERT_TRUE(RunFrame(&run_));
        pixels_ = HrSurfacePixels(run_.surface, &width_, &height_);
    }
    uint32_t Pixel(int x, int y) const { return pixels_[y * width_ + x]; }
    // True when the pixel at (x, y) or one of its neighbours has `rgb`: a
    // line's exact pixels depend on how the graphics layer rasterises it.
    bool Near(int x, int y, uint32_t rgb) const {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (Pixel(x + dx, y + dy) == rgb) return true;
        return false;
    }
    int32_t Expression(const char* name) {
        int32_t index = FindRoutine(kExpressions, name);
        return module_.expressions[index](run_.objects[0].run, 0);
    }

    ModuleBinding module_;
    Scenario scenario_;
    HostRun run_;
    bool started_ = false;
    FILE* sink_ = nullptr;
    const uint32_t* pixels_ = nullptr;
    int32_t width_ = 0, height_ = 0;
};

TEST_F(PictureTest, BindingReportsTheModulesRecords) {
    EXPECT_EQ(module_.runDataSize, 744u);
    EXPECT_EQ(module_.registration.conditionCount, 9);
    EXPECT_EQ(module_.registration.actionCount, 21);
    EXPECT_EQ(module_.registration.expressionCount, 22);
}

TEST_F(PictureTest, AnalogHandsAndCircleLieWhereTheGeometryPutsThem) {
    RunOneFrame(R"({
        "frame": {"width": 220, "height": 220, "background": "#ffffff"},
        "frames": 1, "start": "2026-03-05 03:00:45.000",
        "objects": [{"name": "dial", "display": "analog", "width": 201, "height": 201,
                     "border": true,
                     "analog": {"numerals": "none", "marks": false, "color": "#000000",
                                "hourHandColor": "#0000ff", "minuteHandColor": "#00ff00",
                                "secondHandColor": "#ff0000"}}]})");
    // Face (0, 0, 201, 201): centre (100, 100), radius 99. The module's
    // constants are 0.523, 0.104 and 1.57 radians, truncated per coordinate.
    const int cx = 100, cy = 100;
    const double r = 99;
    struct Hand {
        const char* x;
        const char* y;
        double value, step, length;
        uint32_t rgb;
    };
    const Hand hands[] = {
        {"GetHourHandX", "GetHourHandY", 3, 0.523, r * 0.6666666666666666, 0x0000FF},
        {"GetMinuteHandX", "GetMinuteHandY", 0, 0.104, r, 0x00FF00},
        {"GetSecondHandX", "GetSecondHandY", 45, 0.104, r, 0xFF0000},
    };
    EXPECT_EQ(Expression("GetCentreX"), cx);
    EXPECT_EQ(Expression("GetCentreY"), cy);
    for (const Hand& hand : hands) {
        double angle = hand.value * hand.step - 1.57;
        int tipX = cx + static_cast<int>(std::cos(angle) * hand.length);
        int tipY = cy + static_cast<int>(std::sin(angle) * hand.length);
        EXPECT_EQ(Expression(hand.x), tipX) << hand.x;
        EXPECT_EQ(Expression(hand.y), tipY) << hand.y;
        // Just inside the tip, and half way along, the hand has its colour.
        for (double along : {0.9, 0.5}) {
            int x = cx + static_cast<int>((tipX - cx) * along);
            int y = cy + static_cast<int>((tipY - cy) * along);
            EXPECT_TRUE(Near(x, y, hand.rgb))
                << hand.x << " at " << along << " of its length: (" << x << ", " << y << ") is "
                << std::hex << Pixel(x, y) << ", expected " << hand.rgb;
        }
    }
    // Ellipse(1, 1, 199, 199) with a 2-pixel black pen.
    const int circle[][2] = {{1, cy}, {198, cy}, {cx, 198}, {cx + 70, cy + 70}};
    for (const auto& point : circle)
        EXPECT_TRUE(Near(point[0], point[1], 0x000000))
            << "circle at (" << point[0] << ", " << point[1] << ") is " << std::hex
            << Pixel(point[0], point[1]);
    // Inside the circle between the hands, and outside it in the corners,
    // the background shows.
    const int clear[][2] = {{150, 150}, {4, 4}, {196, 196}, {60, 160}};
    for (const auto& point : clear)
        EXPECT_EQ(Pixel(point[0], point[1]), 0xFFFFFFu)
            << "(" << point[0] << ", " << point[1] << ")";
}

TEST_F(PictureTest, DigitalInkIsCentredInItsRectangle) {
    RunOneFrame(R"({
        "frame": {"width": 320, "height": 120, "background": "#ffffff"},
        "frames": 1, "start": "2026-03-05 12:34:56.000",
        "objects": [{"name": "text", "display": "digital", "x": 40, "y": 30,
                     "width": 240, "height": 60,
                     "digital": {"layout": "24h-seconds", "color": "#000000",
                                 "font": {"face": "Tahoma", "size": 30, "bold": true}}}]})");
    int left = width_, right = -1, top = height_, bottom = -1;
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            if (Pixel(x, y) != 0xFFFFFF) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    ASSERT_GE(right, 0) << "no ink at all";
    // All the ink is inside the object rectangle (40, 30, 280, 90).
    EXPECT_GE(left, 40);
    EXPECT_LT(right, 280);
    EXPECT_GE(top, 30);
    EXPECT_LT(bottom, 90);
    EXPECT_GT(right - left, 100) << "eight characters of 30 pixels";
    // Centred across; down, the text cell (not the ink of the digits, which
    // have no descenders) is centred, so the ink may sit a little high.
    EXPECT_NEAR((left + right) / 2.0, 160, 2.0);
    EXPECT_NEAR((top + bottom) / 2.0, 60, 5.0);
}

std::string ProfileValue(const char* key) {
    char value[256];
    GetProfileStringA("Intl", key, "(absent)", value, sizeof(value));
    return value;
}

TEST_F(PictureTest, IntlValuesLastForTheRunOnly) {
    const std::string before = ProfileValue("s2359");
    const std::string beforeShort = ProfileValue("sShortDate");
    RunOneFrame(R"({"intl": {"s2359": "in the afternoon", "sShortDate": ""},
                    "frames": 1, "objects": [{"name": "o", "display": "digital"}]})");
    EXPECT_EQ(ProfileValue("s2359"), "in the afternoon");
    EXPECT_EQ(ProfileValue("sShortDate"), "");
    FinishRun(&run_);
    started_ = false;
    EXPECT_EQ(ProfileValue("s2359"), before);
    EXPECT_EQ(ProfileValue("sShortDate"), beforeShort);
}

TEST_F(PictureTest, AHiddenObjectLeavesTheBackground) {
    RunOneFrame(R"({
        "frame": {"width": 200, "height": 100, "background": "#336699"},
        "frames": 1, "start": "2026-03-05 12:34:56.000",
        "objects": [{"name": "text", "display": "digital", "x": 0, "y": 0,
                     "width": 200, "height": 100, "border": true}],
        "timeline": [{"frame": 0, "action": "HideObject"}]})");
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            ASSERT_EQ(Pixel(x, y), 0x336699u) << "(" << x << ", " << y << ")";
}

} // namespace
