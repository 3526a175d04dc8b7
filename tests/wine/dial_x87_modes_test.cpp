// The dial on the real DLL whatever the host left the x87 unit in: a host
// whose graphics library switched it to 24-bit precision, or one rounding
// toward zero, must see every centre, hand tip, mark and numeral exactly
// where Windows' default mode puts them. The DLL's calls of HOSTRUN's line and
// text operations are recorded on their way through, so that the points are
// compared, not the pixels that Windows' own arithmetic makes of them.
#include "tests/wine/wine_fixture.h"

#include <cstdio>
#include <string>
#include <vector>

#include "host/common/import_patch.h"

namespace {

using wine::Api;
using wine::WineHost;

constexpr uint16_t kDefaultMode = 0x027F; // 53-bit precision, to nearest, all masked
constexpr uint16_t kSinglePrecision = 0x007F;
constexpr uint16_t kTowardZero = 0x0E7F; // 53-bit precision, toward zero

uint16_t X87Mode() {
    uint16_t mode;
    __asm__ volatile("fnstcw %0" : "=m"(mode));
    return mode;
}

void SetX87Mode(uint16_t mode) {
    __asm__ volatile("fldcw %0" : : "m"(mode));
}

// What the dial drew, one line of text per call, and the lines' ends and the
// texts' rectangles in the order drawn.
std::string g_drawn;
std::vector<POINT> g_lineEnds;
std::vector<RECT> g_textRects;

void WINAPI RecordLine(HostSurface* surface, const POINT* from, const POINT* to, int32_t mode) {
    char line[96];
    std::snprintf(line, sizeof line, "line (%ld, %ld) (%ld, %ld)\n", static_cast<long>(from->x),
                  static_cast<long>(from->y), static_cast<long>(to->x), static_cast<long>(to->y));
    g_drawn += line;
    g_lineEnds.push_back(*to);
    HostDrawLine(surface, from, to, mode);
}

void WINAPI RecordText(HostSurface* surface, HFONT font, const RECT* rect, const char* text,
                       COLORREF colour, uint32_t flags) {
    char line[128];
    std::snprintf(line, sizeof line, "text %s (%ld, %ld, %ld, %ld)\n", text,
                  static_cast<long>(rect->left), static_cast<long>(rect->top),
                  static_cast<long>(rect->right), static_cast<long>(rect->bottom));
    g_drawn += line;
    g_textRects.push_back(*rect);
    HostDrawText(surface, font, rect, text, colour, flags);
}

// Windows measures the numerals in its default mode, so that only the
// module's own arithmetic meets the host's; or every text measures g_extent
// when that is set, so that a numeral's rectangle is the module's alone.
void* g_measure = nullptr;
SIZE g_extent = {0, 0};
BOOL WINAPI MeasureInDefaultMode(HDC dc, LPCSTR text, int length, LPSIZE size) {
    if (g_extent.cx != 0) {
        *size = g_extent;
        return TRUE;
    }
    const uint16_t host = X87Mode();
    SetX87Mode(kDefaultMode);
    const BOOL done =
        reinterpret_cast<decltype(&GetTextExtentPointA)>(g_measure)(dc, text, length, size);
    SetX87Mode(host);
    return done;
}

class DialX87Modes : public WineHost {
  protected:
    void SetUp() override {
        WineHost::SetUp();
        const HMODULE dll = wine::Chronyx();
        ASSERT_TRUE(imports::Chain(dll, "HOSTRUN.dll",
                                   MAKEINTRESOURCEA(host_operations::kHostDrawLine),
                                   reinterpret_cast<void*>(&RecordLine), nullptr));
        ASSERT_TRUE(imports::Chain(dll, "HOSTRUN.dll",
                                   MAKEINTRESOURCEA(host_operations::kHostDrawText),
                                   reinterpret_cast<void*>(&RecordText), nullptr));
        ASSERT_TRUE(imports::Chain(dll, "gdi32.dll", "GetTextExtentPointA",
                                   reinterpret_cast<void*>(&MeasureInDefaultMode), &g_measure));
    }

    void TearDown() override {
        SetX87Mode(kDefaultMode);
        wine::RestoreImports();
        g_measure = nullptr;
        g_extent = SIZE{0, 0};
        WineHost::TearDown();
    }

    // Everything one draw in the given x87 mode put on the dial and in the
    // run data; the mode the host had comes back unchanged or the record says so.
    std::string Draw(RunData* run, uint16_t mode) {
        g_drawn.clear();
        g_lineEnds.clear();
        g_textRects.clear();
        SetX87Mode(mode);
        Display(run);
        const uint16_t after = X87Mode();
        SetX87Mode(kDefaultMode);
        char tips[160];
        std::snprintf(tips, sizeof tips, "centre (%d, %d) tips (%d, %d) (%d, %d) (%d, %d)\n",
                      run->centreX, run->centreY, run->hourHandEndX, run->hourHandEndY,
                      run->minuteHandEndX, run->minuteHandEndY, run->secondHandEndX,
                      run->secondHandEndY);
        std::string record = tips + g_drawn;
        if (after != mode) record += "x87 control word left at " + std::to_string(after) + "\n";
        return record;
    }

    RunData* Dial(int16_t side, int16_t numerals, int16_t clockMode) {
        EditData edit = wine::MakeEditData(kDisplayAnalog);
        edit.width = edit.height = side;
        edit.settings.analogNumerals = numerals;
        edit.settings.clockMode = clockMode;
        return CreateObject(edit, 10, 20);
    }
};

const struct {
    const char* name;
    uint16_t mode;
} kHostModes[] = {
    {"24-bit precision", kSinglePrecision},
    {"rounding toward zero", kTowardZero},
};

// Large dials too: the larger the radius, the smaller the difference in a
// direction that moves a point.
constexpr int16_t kSides[] = {101, 2001, 30001};

TEST_F(DialX87Modes, LocalTimeFacesLandWhereTheDefaultModePutsThem) {
    for (int16_t numerals : {kNumeralsArabic, kNumeralsRoman}) {
        for (int16_t side : kSides) {
            RunData* run = Dial(side, numerals, kModeTime);
            ASSERT_NE(nullptr, run);
            // Every hour, minute and second position once.
            for (int minute = 0; minute < 60; ++minute) {
                const int hour = minute % 12, second = 59 - minute;
                hostclock::Set(civil::Moment(2026, 3, 5, static_cast<WORD>(hour),
                                             static_cast<WORD>(minute), static_cast<WORD>(second),
                                             0));
                const std::string expected = Draw(run, kDefaultMode);
                for (const auto& host : kHostModes)
                    EXPECT_EQ(expected, Draw(run, host.mode))
                        << host.name << ", side " << side << ", numerals " << numerals << ", "
                        << hour << ":" << minute << ":" << second;
            }
            DestroyObject(run);
        }
    }
}

// A timer of a day or more brings hours beyond a day's.
TEST_F(DialX87Modes, LongTimerHoursLandWhereTheDefaultModePutsThem) {
    const int32_t kHundredthsPerHour = 360000;
    const int32_t kElapsed[] = {13 * kHundredthsPerHour, 25 * kHundredthsPerHour + 7 * 6000 + 900,
                                5000 * kHundredthsPerHour + 59 * 6000 + 5900};
    for (int16_t side : kSides) {
        RunData* run = Dial(side, kNumeralsArabic, kModeChronometer);
        ASSERT_NE(nullptr, run);
        for (int32_t elapsed : kElapsed) {
            run->chronoStart = 0;
            run->chronoElapsed = elapsed;
            const std::string expected = Draw(run, kDefaultMode);
            for (const auto& host : kHostModes)
                EXPECT_EQ(expected, Draw(run, host.mode))
                    << host.name << ", side " << side << ", timer at " << elapsed << " hundredths";
        }
        DestroyObject(run);
    }
}

// The comparisons above hold the dial to itself; these hold it to fixed
// points, worked out in double precision. Each dial is sized so that one point
// lies within a few hundred-thousandths of a pixel of a whole one, where a sine
// or cosine worked out at the host's 24-bit precision lands on the other side.
TEST_F(DialX87Modes, PointsBesideAWholePixelStayWhereDoublePrecisionPutsThem) {
    // Hands drawn at hour:minute:00, the dial at (10, 20); lines are drawn hour
    // hand first, then the minute hand.
    const struct {
        int16_t side;
        WORD hour, minute;
        size_t line;
        LONG x, y;
    } hands[] = {
        {21132, 8, 0, 0, 4491, 14131}, {18684, 4, 0, 0, 14750, 12467},
        {10108, 0, 57, 1, 3311, 335},  {5144, 0, 28, 1, 3165, 5095},
        {7580, 0, 21, 1, 6896, 5992},  {10744, 0, 20, 1, 10069, 8013},
        {3554, 0, 38, 1, 500, 3020},   {4010, 0, 45, 1, 13, 2088},
        {6438, 0, 41, 1, 329, 4631},   {10630, 0, 32, 1, 4337, 10556},
        {6744, 0, 56, 1, 1891, 369},   {8244, 0, 32, 1, 3366, 8190},
    };
    for (const auto& c : hands) {
        RunData* run = Dial(c.side, kNumeralsNone, kModeTime);
        ASSERT_NE(nullptr, run);
        hostclock::Set(civil::Moment(2026, 3, 5, c.hour, c.minute, 0, 0));
        Draw(run, kSinglePrecision);
        ASSERT_LT(c.line, g_lineEnds.size()) << "side " << c.side;
        const POINT tip = g_lineEnds[c.line];
        EXPECT_EQ(c.x, tip.x) << "side " << c.side << ", " << c.hour << ":" << c.minute;
        EXPECT_EQ(c.y, tip.y) << "side " << c.side << ", " << c.hour << ":" << c.minute;
        DestroyObject(run);
    }

    // Numerals measured 10 x 16, in the order 1 to 12.
    g_extent = SIZE{10, 16};
    const struct {
        int16_t side;
        int numeral;
        RECT rect;
    } numerals[] = {
        {21132, 8, {1438, 15904, 1448, 15920}},   {11004, 11, {2724, 758, 2734, 774}},
        {18684, 4, {17449, 14019, 17459, 14035}}, {23598, 2, {22024, 5900, 22034, 5916}},
        {28920, 5, {21726, 26985, 21736, 27001}},
    };
    for (const auto& c : numerals) {
        RunData* run = Dial(c.side, kNumeralsArabic, kModeTime);
        ASSERT_NE(nullptr, run);
        Draw(run, kSinglePrecision);
        ASSERT_EQ(12u, g_textRects.size()) << "side " << c.side;
        const RECT& got = g_textRects[c.numeral - 1];
        const std::string where =
            "side " + std::to_string(c.side) + ", numeral " + std::to_string(c.numeral);
        EXPECT_EQ(c.rect.left, got.left) << where;
        EXPECT_EQ(c.rect.top, got.top) << where;
        EXPECT_EQ(c.rect.right, got.right) << where;
        EXPECT_EQ(c.rect.bottom, got.bottom) << where;
        DestroyObject(run);
    }
}

} // namespace
