// Every point of the dial must be exactly the one the geometry gives from the
// sine and cosine of its own angle: every minute and second, hours below,
// within and beyond a day's (a long timer's hour), on dials of many sizes.
#include <cmath>

#include "tests/native/display_test_support.h"

namespace {

struct Point {
    int64_t x, y;
};

// The geometry written out directly, without the module's helpers.
Point Expected(int64_t cx, int64_t cy, int value, double step, double distance) {
    double angle = value * step - 1.57;
    return Point{cx + static_cast<int64_t>(std::cos(angle) * distance),
                 cy + static_cast<int64_t>(std::sin(angle) * distance)};
}

class AnalogDirections : public DisplayTest {
  protected:
    void SetUp() override {
        DisplayTest::SetUp();
        run->settings.hourHand = run->settings.minuteHand = run->settings.secondHand = 1;
        run->settings.analogMarks = 1;
        run->settings.analogNumerals = kNumeralsNone;
        sim::SetTextExtent([](const char*, int length) { return SIZE{8 * length, 16}; });
    }

    // The three hands' tips and the twelve marks' ends, in drawing order.
    std::vector<Point> Draw(int16_t hour, int16_t minute, int16_t second, const RECT& face) {
        sim::ClearCalls();
        DrawAnalogFace(run, hour, minute, second, &face);
        std::vector<Point> points;
        for (const sim::Call& c : sim::CallsNamed("HostDrawLine")) {
            points.push_back({c.args[1], c.args[2]});
            points.push_back({c.args[3], c.args[4]});
        }
        return points;
    }
};

TEST_F(AnalogDirections, EveryTabledValueAndBeyondOnManyDials) {
    const RECT kFaces[] = {
        {0, 0, 101, 101}, {-40, 7, 321, 250}, {10, 10, 13, 13}, {0, 0, 2001, 1500}, {5, 5, 64, 48}};
    // Hours from below the table to beyond it; minutes and seconds over the
    // whole minute, the two ends of each table among them.
    const int16_t kHours[] = {-1, 0, 1, 5, 11, 12, 13, 25, 1000};
    for (const RECT& face : kFaces) {
        const int64_t width = face.right - face.left, height = face.bottom - face.top;
        const int64_t cx = face.left + width / 2, cy = face.top + height / 2;
        const double r = static_cast<double>((width < height ? width : height) / 2 - 1);
        for (int16_t hour : kHours) {
            for (int16_t minute = 0; minute < 60; ++minute) {
                const int16_t second = static_cast<int16_t>(59 - minute);
                std::vector<Point> got = Draw(hour, minute, second, face);
                ASSERT_EQ(30u, got.size());
                const Point tips[3] = {Expected(cx, cy, hour, 0.523, r * 0.6666666666666666),
                                       Expected(cx, cy, minute, 0.104, r),
                                       Expected(cx, cy, second, 0.104, r)};
                for (int hand = 0; hand < 3; ++hand) {
                    EXPECT_EQ(tips[hand].x, got[2 * hand + 1].x)
                        << "hand " << hand << " at " << hour << ":" << minute << ":" << second
                        << ", face width " << width;
                    EXPECT_EQ(tips[hand].y, got[2 * hand + 1].y)
                        << "hand " << hand << " at " << hour << ":" << minute << ":" << second
                        << ", face width " << width;
                }
                if (minute != 0) continue; // the marks do not move
                for (int i = 1; i <= 12; ++i) {
                    const Point inner = Expected(cx, cy, i, 0.523, r * 0.9);
                    const Point outer = Expected(cx, cy, i, 0.523, r);
                    const Point& gotInner = got[6 + 2 * (i - 1)];
                    const Point& gotOuter = got[6 + 2 * (i - 1) + 1];
                    EXPECT_EQ(inner.x, gotInner.x) << "mark " << i << ", face width " << width;
                    EXPECT_EQ(inner.y, gotInner.y) << "mark " << i << ", face width " << width;
                    EXPECT_EQ(outer.x, gotOuter.x) << "mark " << i << ", face width " << width;
                    EXPECT_EQ(outer.y, gotOuter.y) << "mark " << i << ", face width " << width;
                }
            }
        }
    }
}

TEST_F(AnalogDirections, NumeralsSitOnTheHourDirections) {
    // Numeral 3 is placed 2 pixels right of its anchor and numeral 9 2 pixels
    // left of it, both centred on the anchor's height: the anchors must be the
    // hour directions 3 and 9 at the full radius.
    run->settings.analogNumerals = kNumeralsArabic;
    run->settings.analogMarks = 0;
    run->settings.hourHand = run->settings.minuteHand = run->settings.secondHand = 0;
    const RECT face{-40, 7, 321, 250};
    sim::ClearCalls();
    DrawAnalogFace(run, 0, 0, 0, &face);
    std::vector<sim::Call> texts = sim::CallsNamed("HostDrawText");
    ASSERT_EQ(12u, texts.size());
    const int64_t cx = -40 + 361 / 2, cy = 7 + 243 / 2;
    const double r = 243 / 2 - 1;
    const Point three = Expected(cx, cy, 3, 0.523, r);
    const Point nine = Expected(cx, cy, 9, 0.523, r);
    EXPECT_EQ(three.x + 2, texts[2].args[2]) << "numeral 3, left";
    EXPECT_EQ(three.y - 8, texts[2].args[3]) << "numeral 3, top";
    EXPECT_EQ(nine.x - 2, texts[8].args[4]) << "numeral 9, right";
    EXPECT_EQ(nine.y - 8, texts[8].args[3]) << "numeral 9, top";
}

} // namespace
