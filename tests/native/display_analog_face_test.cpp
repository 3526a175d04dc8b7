#include "tests/native/display_test_support.h"

#include "simulated_machine/sim_handles.h"

namespace {

struct Line {
    int64_t x1, y1, x2, y2;
};

std::vector<Line> DrawnLines() {
    std::vector<Line> lines;
    for (const sim::Call& c : sim::CallsNamed("HostDrawLine")) {
        EXPECT_EQ(1, c.args[5]) << "line mode";
        lines.push_back({c.args[1], c.args[2], c.args[3], c.args[4]});
    }
    return lines;
}

class AnalogFaceTest : public DisplayTest {
  protected:
    void SetUp() override {
        DisplayTest::SetUp();
        run->settings.hourHand = run->settings.minuteHand = run->settings.secondHand = 1;
        run->settings.hourHandColor = RGB(255, 0, 0);
        run->settings.minuteHandColor = RGB(0, 255, 0);
        run->settings.secondHandColor = RGB(0, 0, 255);
        run->settings.analogColor = RGB(1, 2, 3);
        run->settings.analogMarks = 1;
        run->settings.analogNumerals = kNumeralsArabic;
        run->settings.border = 1;
    }

    void Draw(int16_t hour, int16_t minute, int16_t second, RECT face) {
        sim::ClearCalls();
        DrawAnalogFace(run, hour, minute, second, &face);
    }
};

TEST_F(AnalogFaceTest, ExampleFaceGeometry) {
    Draw(3, 0, 45, RECT{0, 0, 101, 101});
    EXPECT_EQ(50, run->centreX);
    EXPECT_EQ(50, run->centreY);

    std::vector<Line> lines = DrawnLines();
    ASSERT_EQ(15u, lines.size()) << "three hands and twelve marks";
    struct {
        const char* what;
        size_t index;
        Line expected;
    } const cases[] = {
        {"hour hand", 0, {50, 50, 82, 50}},  {"minute hand", 1, {50, 50, 50, 2}},
        {"second hand", 2, {50, 50, 2, 51}}, {"mark 3", 3 + 2, {94, 50, 98, 50}},
        {"mark 12", 3 + 11, {50, 6, 50, 2}},
    };
    for (const auto& c : cases) {
        const Line& got = lines[c.index];
        EXPECT_EQ(c.expected.x1, got.x1) << c.what;
        EXPECT_EQ(c.expected.y1, got.y1) << c.what;
        EXPECT_EQ(c.expected.x2, got.x2) << c.what;
        EXPECT_EQ(c.expected.y2, got.y2) << c.what;
    }
    struct {
        const char* what;
        int16_t got, expected;
    } const tips[] = {
        {"hourHandEndX", run->hourHandEndX, 82},     {"hourHandEndY", run->hourHandEndY, 50},
        {"minuteHandEndX", run->minuteHandEndX, 50}, {"minuteHandEndY", run->minuteHandEndY, 2},
        {"secondHandEndX", run->secondHandEndX, 2},  {"secondHandEndY", run->secondHandEndY, 51},
    };
    for (const auto& t : tips)
        EXPECT_EQ(t.expected, t.got) << t.what;

    auto ellipses = sim::CallsNamed("Ellipse");
    ASSERT_EQ(1u, ellipses.size());
    EXPECT_EQ((std::vector<int64_t>{1, 1, 99, 99}), Args(ellipses[0], 1));
    ExpectNothingLeftOver();
}

TEST_F(AnalogFaceTest, PensMatchEachPartOfTheDial) {
    Draw(3, 0, 45, RECT{0, 0, 101, 101});
    auto pens = sim::CallsNamed("HostSetPen");
    ASSERT_EQ(4u, pens.size()) << "one pen per hand and one for all the marks";
    const int64_t expected[4][2] = {
        {RGB(255, 0, 0), 2}, {RGB(0, 255, 0), 2}, {RGB(0, 0, 255), 1}, {RGB(1, 2, 3), 2}};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(expected[i][0], pens[i].args[1]) << "pen " << i;
        EXPECT_EQ(0, pens[i].args[2]) << "pen " << i;
        EXPECT_EQ(expected[i][1], pens[i].args[3]) << "pen " << i;
    }
    auto created = sim::CallsNamed("CreatePen");
    ASSERT_EQ(1u, created.size());
    EXPECT_EQ((std::vector<int64_t>{PS_SOLID, 2, RGB(1, 2, 3)}), Args(created[0], 0, 3));
}

TEST_F(AnalogFaceTest, NumeralThreeSitsRightOfItsAnchor) {
    Draw(3, 0, 45, RECT{0, 0, 101, 101});
    auto texts = sim::CallsNamed("HostDrawText");
    ASSERT_EQ(12u, texts.size());
    const sim::Call& three = texts[2];
    EXPECT_EQ("3", three.text);
    EXPECT_EQ((std::vector<int64_t>{100, 42, 108, 58}), Args(three, 2, 6));
    EXPECT_EQ(RGB(1, 2, 3), three.args[6]);
    EXPECT_EQ(0x25, three.args[7]);
}

// Each numeral's rectangle keeps to its side of the anchor: a wide, tall
// extent makes every row of the placement table show.
TEST_F(AnalogFaceTest, NumeralRectanglesFaceAwayFromTheCentre) {
    sim::SetTextExtent([](const char*, int) { return SIZE{10, 6}; });
    Draw(0, 0, 0, RECT{0, 0, 101, 101});
    auto texts = sim::CallsNamed("HostDrawText");
    ASSERT_EQ(12u, texts.size());
    // Anchors at d = 49 along i * 0.523 - 1.57, each coordinate truncated.
    struct {
        int numeral;
        int64_t left, top, right, bottom;
    } const cases[] = {
        {1, 74, 2, 84, 8},   {2, 92, 20, 102, 26}, {3, 100, 47, 110, 53}, {4, 92, 74, 102, 80},
        {5, 74, 92, 84, 98}, {6, 45, 99, 55, 105}, {7, 16, 92, 26, 98},   {8, -2, 74, 8, 80},
        {9, -10, 47, 0, 53}, {10, -2, 20, 8, 26},  {11, 16, 2, 26, 8},    {12, 45, -5, 55, 1},
    };
    for (const auto& c : cases) {
        const sim::Call& t = texts[static_cast<size_t>(c.numeral - 1)];
        EXPECT_EQ(std::to_string(c.numeral), t.text);
        EXPECT_EQ((std::vector<int64_t>{c.left, c.top, c.right, c.bottom}), Args(t, 2, 6))
            << "numeral " << c.numeral;
    }
}

TEST_F(AnalogFaceTest, ShorterSideDecidesTheRadius) {
    struct {
        RECT face;
        int16_t cx, cy;
        int64_t el, et, er, eb; // the circle
    } const cases[] = {
        {{0, 0, 200, 100}, 100, 50, 51, 1, 149, 99},
        {{0, 0, 100, 200}, 50, 100, 1, 51, 99, 149},
        {{-40, -30, 61, 71}, 10, 20, -39, -29, 59, 69},
    };
    for (const auto& c : cases) {
        Draw(0, 0, 0, c.face);
        EXPECT_EQ(c.cx, run->centreX);
        EXPECT_EQ(c.cy, run->centreY);
        auto e = sim::CallsNamed("Ellipse");
        ASSERT_EQ(1u, e.size());
        EXPECT_EQ((std::vector<int64_t>{c.el, c.et, c.er, c.eb}), Args(e[0], 1));
    }
}

TEST_F(AnalogFaceTest, TinyFaceCollapsesEverythingOntoTheCentre) {
    struct {
        RECT face;
        int64_t cx, cy;
    } const cases[] = {
        {{10, 20, 12, 60}, 11, 40}, // shorter side 2
        {{10, 20, 13, 60}, 11, 40}, // shorter side 3
    };
    for (const auto& c : cases) {
        Draw(7, 33, 51, c.face);
        for (const Line& l : DrawnLines()) {
            EXPECT_EQ(c.cx, l.x1);
            EXPECT_EQ(c.cy, l.y1);
            EXPECT_EQ(c.cx, l.x2);
            EXPECT_EQ(c.cy, l.y2);
        }
        auto texts = sim::CallsNamed("HostDrawText");
        ASSERT_EQ(12u, texts.size());
        // The numeral 4 is placed at its anchor's corner.
        EXPECT_EQ(c.cx, texts[3].args[2]);
        EXPECT_EQ(c.cy, texts[3].args[3]);
        auto e = sim::CallsNamed("Ellipse");
        ASSERT_EQ(1u, e.size());
        EXPECT_EQ((std::vector<int64_t>{c.cx, c.cy, c.cx, c.cy}), Args(e[0], 1));
    }
}

// Only the value 1 draws a hand.
TEST_F(AnalogFaceTest, SwitchedOffHandKeepsItsLastTip) {
    const struct { int16_t hourHand, minuteHand; } cases[] = {{0, 2}, {2, -1}};
    const RECT face{0, 0, 101, 101};
    for (const auto& c : cases) {
        run->settings.hourHand = run->settings.minuteHand = 1;
        Draw(3, 0, 45, face);
        run->settings.hourHand = c.hourHand;
        run->settings.minuteHand = c.minuteHand;
        Draw(6, 30, 15, face);
        EXPECT_EQ(82, run->hourHandEndX) << c.hourHand;
        EXPECT_EQ(50, run->hourHandEndY) << c.hourHand;
        EXPECT_EQ(50, run->minuteHandEndX) << c.minuteHand;
        EXPECT_EQ(2, run->minuteHandEndY) << c.minuteHand;
        EXPECT_NE(2, run->secondHandEndX) << "the second hand was drawn and moved";
        EXPECT_EQ(13u, DrawnLines().size()) << "the second hand and twelve marks";
    }
}

TEST_F(AnalogFaceTest, NumeralStyleByValue) {
    struct {
        int16_t numerals;
        const char* one;
        const char* three;
        const char* twelve;
    } const cases[] = {
        {kNumeralsArabic, "1", "3", "12"},
        {kNumeralsRoman, "I", "III", "XII"},
        {3, "I", "III", "XII"},
        {-1, "I", "III", "XII"},
        {100, "I", "III", "XII"},
    };
    for (const auto& c : cases) {
        run->settings.analogNumerals = c.numerals;
        Draw(0, 0, 0, RECT{0, 0, 101, 101});
        auto texts = DrawnTexts();
        ASSERT_EQ(12u, texts.size()) << c.numerals;
        EXPECT_EQ(c.one, texts[0]) << c.numerals;
        EXPECT_EQ(c.three, texts[2]) << c.numerals;
        EXPECT_EQ(c.twelve, texts[11]) << c.numerals;
    }
    run->settings.analogNumerals = kNumeralsRoman;
    Draw(0, 0, 0, RECT{0, 0, 101, 101});
    EXPECT_EQ((std::vector<std::string>{"I", "II", "III", "IV", "V", "VI", "VII", "VIII", "IX", "X",
                                        "XI", "XII"}),
              DrawnTexts());
}

// The draw order, the font put back into the measuring context, the pen and
// brush put back into the drawing context, and both contexts given back.
TEST_F(AnalogFaceTest, DrawingOrderAndRestoredContexts) {
    Draw(3, 0, 45, RECT{0, 0, 101, 101});
    std::vector<std::string> expected = {"HostGetSurfaceDC"};
    for (int hand = 0; hand < 3; ++hand) {
        expected.push_back("HostSetPen");
        expected.push_back("HostDrawLine");
    }
    expected.push_back("HostSetPen");
    for (int i = 0; i < 12; ++i)
        expected.push_back("HostDrawLine");
    expected.push_back("HostFontGetGdiFont");
    expected.push_back("SelectObject");
    for (int i = 0; i < 12; ++i) {
        expected.push_back("GetTextExtentPointA");
        expected.push_back("HostDrawText");
    }
    for (const char* op :
         {"SelectObject", "DeleteObject", "HostBeginGdiDraw", "CreatePen", "GetStockObject",
          "SelectObject", "SelectObject", "Ellipse", "SelectObject", "SelectObject", "DeleteObject",
          "HostEndGdiDraw", "HostMarkChanged", "HostReleaseSurfaceDC"})
        expected.push_back(op);
    EXPECT_EQ(expected, Ops());

    const int64_t measuring = sim::CallsNamed("HostGetSurfaceDC")[0].args[0];
    const int64_t drawing = sim::CallsNamed("HostBeginGdiDraw")[0].args[0];
    const int64_t font = sim::CallsNamed("HostFontGetGdiFont")[0].args[2];
    const int64_t pen = sim::CallsNamed("CreatePen")[0].args[3];
    auto selects = sim::CallsNamed("SelectObject");
    ASSERT_EQ(6u, selects.size());
    const int64_t expectedSelects[6][2] = {
        {measuring, font},          {measuring, sim::kOriginalFont}, {drawing, pen},
        {drawing, sim::kNullBrush}, {drawing, sim::kOriginalBrush},  {drawing, sim::kOriginalPen},
    };
    for (size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(expectedSelects[i][0], selects[i].args[0]) << "select " << i;
        EXPECT_EQ(expectedSelects[i][1], selects[i].args[1]) << "select " << i;
    }
    EXPECT_EQ(NULL_BRUSH, sim::CallsNamed("GetStockObject")[0].args[0]);
    EXPECT_EQ(drawing, sim::CallsNamed("Ellipse")[0].args[0]);
    EXPECT_EQ(drawing, sim::CallsNamed("HostEndGdiDraw")[0].args[0]);
    EXPECT_EQ(measuring, sim::CallsNamed("HostReleaseSurfaceDC")[0].args[0]);
    auto marked = sim::CallsNamed("HostMarkChanged");
    EXPECT_EQ((std::vector<int64_t>{0, 0, 101, 101}), Args(marked[0], 1));
    ExpectNothingLeftOver();
}

TEST_F(AnalogFaceTest, PartsSwitchedOffAreNotDrawn) {
    struct {
        const char* what;
        int16_t marks, numerals, border;
        bool failFont;
        size_t lines, texts, ellipses;
        bool asksFont;
    } const cases[] = {
        {"everything", 1, 0, 1, false, 15, 12, 1, true},
        {"no marks", 0, 0, 1, false, 3, 12, 1, true},
        {"marks value 2", 2, 0, 1, false, 3, 12, 1, true},
        {"no numerals", 1, 2, 1, false, 15, 0, 1, false},
        {"no numerals, no font", 1, 2, 1, true, 15, 0, 1, false},
        {"no circle", 1, 0, 0, false, 15, 12, 0, true},
        {"border value 2", 1, 0, 2, false, 15, 12, 0, true},
        {"no font: no numerals, no circle", 1, 0, 1, true, 15, 0, 0, true},
    };
    for (const auto& c : cases) {
        run->settings.analogMarks = c.marks;
        run->settings.analogNumerals = c.numerals;
        run->settings.border = c.border;
        sim::FailGdiFont(c.failFont);
        Draw(3, 0, 45, RECT{0, 0, 101, 101});
        EXPECT_EQ(c.lines, sim::CallsNamed("HostDrawLine").size()) << c.what;
        EXPECT_EQ(c.texts, sim::CallsNamed("HostDrawText").size()) << c.what;
        EXPECT_EQ(c.ellipses, sim::CallsNamed("Ellipse").size()) << c.what;
        EXPECT_EQ(c.asksFont, !sim::CallsNamed("HostFontGetGdiFont").empty()) << c.what;
        EXPECT_EQ(1u, sim::CallsNamed("HostReleaseSurfaceDC").size()) << c.what;
        ExpectNothingLeftOver();
    }
}

} // namespace
