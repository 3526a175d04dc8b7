#include <cstring>

#include "core/time_count.h"
#include "tests/native/display_test_support.h"

namespace {

class DigitalTextTest : public DisplayTest {
  protected:
    void SetUp() override {
        DisplayTest::SetUp();
        run->settings.displayType = kDisplayDigital;
        run->settings.digitalColor = RGB(10, 20, 30);
    }

    // The four layouts drawn one after the other.
    std::vector<std::string> AllLayouts() {
        std::vector<std::string> texts;
        for (int16_t layout = 0; layout < 4; ++layout) {
            run->settings.digitalFormat = layout;
            texts.push_back(DrawOnce());
        }
        return texts;
    }
};

using Layouts = std::vector<std::string>;

TEST_F(DigitalTextTest, LocalTimeInEveryLayout) {
    struct {
        int h, m, s;
        Layouts expected;
    } const cases[] = {
        {0, 5, 9, {"00:05 A.M.", "00:05:09 A.M.", "00:05", "00:05:09"}},
        {9, 5, 3, {"09:05 A.M.", "09:05:03 A.M.", "09:05", "09:05:03"}},
        {11, 59, 59, {"11:59 A.M.", "11:59:59 A.M.", "11:59", "11:59:59"}},
        {12, 30, 0, {"12:30 P.M.", "12:30:00 P.M.", "12:30", "12:30:00"}},
        {13, 27, 18, {"01:27 P.M.", "01:27:18 P.M.", "13:27", "13:27:18"}},
        {23, 59, 59, {"11:59 P.M.", "11:59:59 P.M.", "23:59", "23:59:59"}},
    };
    for (const auto& c : cases) {
        sim::SetClock(2026, 3, 5, c.h, c.m, c.s, 990);
        EXPECT_EQ(c.expected, AllLayouts()) << c.h << ":" << c.m << ":" << c.s;
    }
}

// Chronometer, countdown and an unknown mode (read as the chronometer) all
// show the same value the same way, with no designator.
TEST_F(DigitalTextTest, TimerValueInEveryLayout) {
    struct {
        int32_t hundredths;
        Layouts expected;
    } const cases[] = {
        {0, {"00:00", "00:00:00", "00:00", "00:00:00"}},
        {99, {"00:00", "00:00:00", "00:00", "00:00:00"}},
        {4838845, {"01:26", "01:26:28", "01:26", "13:26:28"}},
        {9000000, {"01:00", "01:00:00", "13:00", "25:00:00"}},
        // Exactly 12 and 24 hours, where the folding turns.
        {4320000, {"00:00", "00:00:00", "00:00", "12:00:00"}},
        {4319999, {"11:59", "11:59:59", "11:59", "11:59:59"}},
        {8640000, {"00:00", "00:00:00", "12:00", "24:00:00"}},
        {8639999, {"11:59", "11:59:59", "11:59", "23:59:59"}},
        // Folding stops after twice: 100 hours show as 76 in twelve-hour layouts.
        {360000 * 100 + 6000 * 7 + 100 * 8, {"76:07", "76:07:08", "88:07", "100:07:08"}},
    };
    for (const auto& c : cases) {
        for (int16_t mode : {kModeChronometer, int16_t{7}, int16_t{-1}}) {
            run->settings.clockMode = mode;
            StoppedTimer(c.hundredths);
            EXPECT_EQ(c.expected, AllLayouts())
                << "chronometer " << c.hundredths << " mode " << mode;
        }
        run->settings.clockMode = kModeCountdown;
        run->countdownStart = c.hundredths + 500;
        StoppedTimer(500);
        EXPECT_EQ(c.expected, AllLayouts()) << "countdown " << c.hundredths;
    }
}

TEST_F(DigitalTextTest, CountdownNeverShowsLessThanZero) {
    run->settings.clockMode = kModeCountdown;
    run->countdownStart = 30000;
    struct {
        int32_t elapsed;
        const char* layout2;
        const char* layout3;
    } const cases[] = {
        {12345, "00:02", "00:02:56"},
        {29999, "00:00", "00:00:00"},
        {30000, "00:00", "00:00:00"},
        {45000, "00:00", "00:00:00"},
    };
    for (const auto& c : cases) {
        StoppedTimer(c.elapsed);
        run->settings.digitalFormat = 2;
        EXPECT_EQ(c.layout2, DrawOnce()) << c.elapsed;
        run->settings.digitalFormat = 3;
        EXPECT_EQ(c.layout3, DrawOnce()) << c.elapsed;
    }
}

// A running timer adds what it counted since its start to the bank.
TEST_F(DigitalTextTest, RunningTimerCountsFromItsStart) {
    run->settings.digitalFormat = 3;
    run->chronoStart = CurrentTimeCount();
    run->chronoElapsed = 345;
    sim::AdvanceClock(120000); // two minutes
    run->settings.clockMode = kModeChronometer;
    EXPECT_EQ("00:02:03", DrawOnce());
    run->settings.clockMode = kModeCountdown;
    run->countdownStart = 30000;
    EXPECT_EQ("00:02:56", DrawOnce());
}

TEST_F(DigitalTextTest, DesignatorsComeFromTheProfile) {
    struct {
        const char* morning; // nullptr: the key is absent
        const char* evening;
        int hour;
        const char* expected;
    } const cases[] = {
        {nullptr, nullptr, 9, "09:05 A.M."},
        {nullptr, nullptr, 21, "09:05 P.M."},
        {"", "PM", 9, "09:05"},
        {"", "", 21, "09:05"},
        {"vorm.", "nachm.", 9, "09:05 vorm."},
        {"vorm.", "nachm.", 21, "09:05 nachm."},
        {"AM", nullptr, 12, "12:05 P.M."},
    };
    run->settings.digitalFormat = 0;
    for (const auto& c : cases) {
        sim::RemoveProfileString("Intl", "s1159");
        sim::RemoveProfileString("Intl", "s2359");
        if (c.morning) sim::SetProfileString("Intl", "s1159", c.morning);
        if (c.evening) sim::SetProfileString("Intl", "s2359", c.evening);
        sim::SetClock(2026, 3, 5, c.hour, 5, 0, 0);
        EXPECT_EQ(c.expected, DrawOnce()) << c.hour;
    }
}

TEST_F(DigitalTextTest, ProfileIsReadOnEveryDraw) {
    run->settings.digitalFormat = 1;
    sim::SetClock(2026, 3, 5, 13, 27, 18, 0);
    EXPECT_EQ("01:27:18 P.M.", DrawOnce());
    sim::SetProfileString("Intl", "s2359", "pm");
    EXPECT_EQ("01:27:18 pm", DrawOnce());
}

// A designator of any length is cut so that the line stays within 39
// characters, and nothing beyond the 40-byte buffer is touched.
TEST_F(DigitalTextTest, LongDesignatorIsCutAtTheBuffer) {
    const std::string letters(70, 'D');
    struct {
        int16_t layout;
        size_t designatorLength;
        const char* clock;
    } const cases[] = {
        {0, 33, "09:05"},    {0, 34, "09:05"},    {0, 39, "09:05"},    {0, 70, "09:05"},
        {1, 30, "09:05:03"}, {1, 31, "09:05:03"}, {1, 70, "09:05:03"},
    };
    sim::SetClock(2026, 3, 5, 9, 5, 3, 0);
    for (const auto& c : cases) {
        sim::SetProfileString("Intl", "s1159", letters.substr(0, c.designatorLength).c_str());
        run->settings.digitalFormat = c.layout;
        std::string full = std::string(c.clock) + " " + letters.substr(0, c.designatorLength);
        // The profile hands over at most 39 characters, the line keeps 39.
        std::string expected = full.substr(0, 39);
        EXPECT_EQ(expected, DrawOnce()) << c.designatorLength;

        char buffer[64];
        std::memset(buffer, 0x5A, sizeof buffer);
        ASSERT_TRUE(FormatDigitalText(run, buffer, kTextBufferSize));
        EXPECT_EQ(expected, std::string(buffer));
        for (size_t i = kTextBufferSize; i < sizeof buffer; ++i)
            ASSERT_EQ(0x5A, static_cast<unsigned char>(buffer[i])) << "byte " << i << " written";
    }
}

TEST_F(DigitalTextTest, TextAndFrameInTheObjectRectangle) {
    run->header.x = 100;
    run->header.y = 50;
    run->header.width = 80;
    run->header.height = 20;
    sim::TheRunHeader()->displayOriginX = 30;
    sim::TheRunHeader()->displayOriginY = -5;
    run->settings.digitalFormat = 3;
    run->settings.border = 1;
    DrawOnce();
    EXPECT_EQ((std::vector<std::string>{"HostFontGetGdiFont", "HostDrawText", "DeleteObject",
                                        "HostSetPen", "HostDrawFrame"}),
              [] {
                  std::vector<std::string> drawing;
                  for (const std::string& op : Ops())
                      if (op != "GetLocalTime") drawing.push_back(op);
                  return drawing;
              }());
    auto text = sim::CallsNamed("HostDrawText");
    ASSERT_EQ(1u, text.size());
    const int64_t font = sim::CallsNamed("HostFontGetGdiFont")[0].args[2];
    EXPECT_EQ(font, text[0].args[1]);
    EXPECT_EQ((std::vector<int64_t>{70, 55, 150, 75, RGB(10, 20, 30), 0x25}), Args(text[0], 2));
    EXPECT_EQ(font, sim::CallsNamed("DeleteObject")[0].args[0]);
    auto pen = sim::CallsNamed("HostSetPen");
    EXPECT_EQ((std::vector<int64_t>{RGB(10, 20, 30), 0, 2}), Args(pen[0], 1));
    auto frame = sim::CallsNamed("HostDrawFrame");
    EXPECT_EQ((std::vector<int64_t>{70, 55, 150, 75}), Args(frame[0], 1));
    ExpectNothingLeftOver();
}

TEST_F(DigitalTextTest, FrameOnlyWithBorderOneAndAFont) {
    struct {
        int16_t border;
        bool failFont;
        size_t texts, frames;
    } const cases[] = {
        {1, false, 1, 1},
        {0, false, 1, 0},
        {2, false, 1, 0},
        {1, true, 0, 0},
    };
    run->settings.digitalFormat = 2;
    for (const auto& c : cases) {
        run->settings.border = c.border;
        sim::FailGdiFont(c.failFont);
        DrawOnce();
        EXPECT_EQ(c.texts, sim::CallsNamed("HostDrawText").size()) << c.border << c.failFont;
        EXPECT_EQ(c.frames, sim::CallsNamed("HostDrawFrame").size()) << c.border << c.failFont;
        EXPECT_EQ(c.frames, sim::CallsNamed("HostSetPen").size()) << c.border << c.failFont;
        ExpectNothingLeftOver();
    }
}

} // namespace
