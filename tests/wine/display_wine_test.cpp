// Drawing on the real DLL: the reference HOSTRUN paints into a 32-bit DIB
// section, names and patterns come from the DLL's own string resources, and
// designators and date formats from the prefix's real profile.
#include "tests/wine/wine_fixture.h"

#include <cstring>
#include <string>

namespace {

using wine::Api;
using wine::WineHost;

constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kWhite = 0xFFFFFF;

// Sets one "Intl" value for the test's duration (nullptr removes it), and
// puts back what the profile held before.
class ProfileValue {
  public:
    ProfileValue(const char* key, const char* value) : key_(key) {
        char old[256];
        GetProfileStringA("Intl", key, kAbsent, old, sizeof old);
        absent_ = std::strcmp(old, kAbsent) == 0;
        old_ = old;
        WriteProfileStringA("Intl", key, value);
    }
    ~ProfileValue() { WriteProfileStringA("Intl", key_, absent_ ? nullptr : old_.c_str()); }

  private:
    static constexpr const char* kAbsent = "\x01<absent>";
    const char* key_;
    bool absent_ = false;
    std::string old_;
};

class DisplayWine : public WineHost {
  protected:
    SYSTEMTIME At(int hour, int minute, int second) {
        SYSTEMTIME t = {};
        t.wYear = 2026;
        t.wMonth = 3;
        t.wDay = 5;
        t.wHour = static_cast<WORD>(hour);
        t.wMinute = static_cast<WORD>(minute);
        t.wSecond = static_cast<WORD>(second);
        return t;
    }

    // True when a pixel within `radius` of (x, y) has the colour.
    bool ColourNear(int x, int y, uint32_t colour, int radius = 1) {
        for (int dy = -radius; dy <= radius; ++dy)
            for (int dx = -radius; dx <= radius; ++dx)
                if (Pixel(x + dx, y + dy) == colour) return true;
        return false;
    }

    bool SurfaceIsBlack() {
        int32_t width = 0, height = 0;
        const uint32_t* pixels = HrSurfacePixels(surface, &width, &height);
        for (int32_t i = 0; i < width * height; ++i)
            if (pixels[i] != kBlack) return false;
        return true;
    }

    // The text as the object's own host font draws it, centred in the same
    // rectangle on a second surface: equal pixels mean the object drew
    // exactly this text.
    bool DrewExactly(const RunData* run, const RECT& rect, const char* text, COLORREF colour) {
        HostSurface* reference = HrSurfaceCreate(320, 240);
        HFONT font = HostFontGetGdiFont(fontBank, static_cast<uint16_t>(run->fontHandle));
        HostDrawText(reference, font, &rect, text, colour, 0x25);
        DeleteObject(font);
        const uint32_t* want = HrSurfacePixels(reference, nullptr, nullptr);
        const uint32_t* got = HrSurfacePixels(surface, nullptr, nullptr);
        bool inked = false; // two blank surfaces prove nothing
        for (int i = 0; i < 320 * 240 && !inked; ++i)
            inked = want[i] != kBlack;
        const bool same = inked && std::memcmp(want, got, 320 * 240 * sizeof(uint32_t)) == 0;
        HrSurfaceDestroy(reference);
        return same;
    }

    // Bounding box of every pixel that is not black.
    RECT Ink() {
        RECT box = {320, 240, -1, -1};
        for (int y = 0; y < 240; ++y)
            for (int x = 0; x < 320; ++x)
                if (Pixel(x, y) != kBlack) {
                    if (x < box.left) box.left = x;
                    if (y < box.top) box.top = y;
                    if (x > box.right) box.right = x;
                    if (y > box.bottom) box.bottom = y;
                }
        return box;
    }
};

// Face 101 x 101 at (10, 20), no numerals, so the face is the object
// rectangle: centre (60, 70), radius 49, 03:00:45 on the clock.
TEST_F(DisplayWine, HandsAndCircleWhereTheGeometryPutsThem) {
    hostclock::Set(At(3, 0, 45));
    EditData edit = wine::MakeEditData(kDisplayAnalog);
    edit.width = 101;
    edit.height = 101;
    edit.settings.analogMarks = 0;
    edit.settings.analogNumerals = kNumeralsNone;
    edit.settings.border = 1;
    RunData* run = CreateObject(edit, 10, 20);
    ASSERT_NE(nullptr, run);
    EXPECT_EQ(0, Display(run));

    EXPECT_EQ(60, run->centreX);
    EXPECT_EQ(70, run->centreY);
    const struct {
        const char* what;
        int x, y;
        uint32_t colour;
    } probes[] = {
        {"hour hand near its tip (92, 70)", 90, 70, 0x0000FF},
        {"hour hand half way", 76, 70, 0x0000FF},
        {"minute hand near its tip (60, 22)", 60, 24, 0x00FF00},
        {"second hand near its tip (12, 71)", 14, 71, 0xFF0000},
        {"circle, right", 108, 70, kWhite},
        {"circle, bottom", 60, 118, kWhite},
        {"circle, lower left", 60 - 34, 70 + 34, kWhite},
    };
    for (const auto& p : probes)
        EXPECT_TRUE(ColourNear(p.x, p.y, p.colour))
            << p.what << ": got 0x" << std::hex << Pixel(p.x, p.y);
    const struct {
        const char* what;
        int x, y;
    } empty[] = {
        {"inside the circle, lower right", 90, 100},
        {"outside the circle, corner", 12, 22},
        {"beyond the hour tip", 100, 70},
    };
    for (const auto& e : empty)
        EXPECT_EQ(kBlack, Pixel(e.x, e.y)) << e.what;
    EXPECT_EQ(0, HrOutstandingDCs(surface));
    RECT changed = {};
    ASSERT_TRUE(HrChangedArea(surface, &changed));
    EXPECT_EQ(10, changed.left);
    EXPECT_EQ(20, changed.top);
    EXPECT_EQ(111, changed.right);
    EXPECT_EQ(121, changed.bottom);
}

// The designator as the real profile holds it; the line is centred in the
// object rectangle and cut to 39 characters whatever the profile holds.
TEST_F(DisplayWine, DigitalTextFromTheProfileCentredInTheObject) {
    const std::string longDesignator(60, 'W');
    const std::string cutLine = "09:05 " + std::string(39 - 6, 'W');
    const struct {
        const char* designator;
        int16_t layout;
        const char* expected;
    } cases[] = {
        {"vorm.", 0, "09:05 vorm."},
        {"", 1, "09:05:03"},
        {longDesignator.c_str(), 0, cutLine.c_str()},
        {"vorm.", 3, "09:05:03"},
    };
    hostclock::Set(At(9, 5, 3));
    for (const auto& c : cases) {
        ProfileValue morning("s1159", c.designator);
        HrSurfaceFill(surface, RGB(0, 0, 0));
        EditData edit = wine::MakeEditData(kDisplayDigital);
        edit.settings.digitalFormat = c.layout;
        RunData* run = CreateObject(edit, 100, 50);
        ASSERT_NE(nullptr, run);
        EXPECT_EQ(0, Display(run));
        const RECT object = {100, 50, 220, 90};
        EXPECT_TRUE(DrewExactly(run, object, c.expected, RGB(255, 255, 255))) << c.expected;
        const RECT ink = Ink();
        if (std::strlen(c.expected) < 12) {
            // Short lines sit in the middle of the rectangle; longer ones
            // overflow it evenly on both sides.
            EXPECT_LE(object.left, ink.left) << c.expected;
            EXPECT_GT(object.right, ink.right) << c.expected;
        }
        EXPECT_NEAR(160, (ink.left + ink.right) / 2, 2) << c.expected;
        EXPECT_NEAR(70, (ink.top + ink.bottom) / 2, 4) << c.expected;
        EXPECT_EQ(0, DestroyObject(run));
    }
}

// Names and built-in patterns come from the DLL's resources, date formats
// from the profile.
TEST_F(DisplayWine, CalendarTextFromResourcesAndProfile) {
    ProfileValue shortDate("sShortDate", "M/d/yy");
    ProfileValue longDate("sLongDate", "dddd, d. MMMM yyyy");
    const struct {
        int16_t format, pattern;
        const char* expected;
    } cases[] = {
        {0, 0, " 3/ 5/26"},  {1, 0, "Thursday,  5. March 2026"}, {2, 1, " 5 March 2026"},
        {2, 4, "05-Mar-26"}, {2, 3, "March  5, 2026"},
    };
    for (const auto& c : cases) {
        HrSurfaceFill(surface, RGB(0, 0, 0));
        EditData edit = wine::MakeEditData(kDisplayCalendar);
        edit.settings.calendarFormat = c.format;
        edit.settings.calendarPattern = c.pattern;
        edit.settings.calendarColor = RGB(255, 255, 0);
        edit.settings.border = 1; // never a frame around the date
        RunData* run = CreateObject(edit, 40, 100);
        ASSERT_NE(nullptr, run);
        EXPECT_EQ(0, Display(run));
        EXPECT_TRUE(DrewExactly(run, RECT{40, 100, 160, 140}, c.expected, RGB(255, 255, 0)))
            << c.expected;
        EXPECT_EQ(0, DestroyObject(run));
    }
}

TEST_F(DisplayWine, NothingDrawnForHiddenOrUnknown) {
    const struct {
        const char* what;
        int16_t displayType, digitalFormat, calendarFormat, calendarPattern;
        bool hide;
    } cases[] = {
        {"hidden digital", kDisplayDigital, 0, 0, 0, true},
        {"hidden analog", kDisplayAnalog, 0, 0, 0, true},
        {"invisible type", kDisplayInvisible, 0, 0, 0, false},
        {"digital format 4", kDisplayDigital, 4, 0, 0, false},
        {"calendar format 3", kDisplayCalendar, 0, 3, 0, false},
        {"calendar pattern 7", kDisplayCalendar, 0, 2, 7, false},
    };
    for (const auto& c : cases) {
        HrSurfaceFill(surface, RGB(0, 0, 0));
        EditData edit = wine::MakeEditData(c.displayType);
        edit.settings.border = 1;
        edit.settings.digitalFormat = c.digitalFormat;
        edit.settings.calendarFormat = c.calendarFormat;
        edit.settings.calendarPattern = c.calendarPattern;
        RunData* run = CreateObject(edit, 40, 40);
        ASSERT_NE(nullptr, run);
        if (c.hide) run->visible = 0;
        EXPECT_EQ(0, Display(run)) << c.what;
        EXPECT_TRUE(SurfaceIsBlack()) << c.what;
        EXPECT_EQ(0, HrOutstandingDCs(surface)) << c.what;
        EXPECT_EQ(0, DestroyObject(run));
    }
}

} // namespace
