// The reference HOSTRUN.dll on its own: the font bank's handles and fonts, the
// surface's drawing, device-context loans and the changed area.
#include "tests/wine/wine_fixture.h"

#include <cstring>

namespace {

FontRequest Request(const char* face, int32_t height, int32_t weight, const char* style) {
    FontRequest request = {};
    request.word10 = 1;
    request.word98 = 2;
    request.word102 = 255;
    request.font.height = height;
    request.font.weight = weight;
    std::strncpy(request.font.faceName, face, sizeof request.font.faceName - 1);
    std::strncpy(request.style, style, sizeof request.style - 1);
    return request;
}

class Hostrun : public wine::WineHost {
  protected:
    // Pixels in [left, right) x [top, bottom) that are not `background`.
    int Marked(int left, int top, int right, int bottom, uint32_t background = 0) {
        int count = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x)
                count += Pixel(x, y) != background;
        return count;
    }
};

TEST_F(Hostrun, FontHandlesStartAtOneAndAreNotReused) {
    FontRequest request = Request("Arial", -16, 400, "");
    const uint16_t first = HostFontCreate(fontBank, kFontKind, &request, 0, 0);
    const uint16_t second = HostFontCreate(fontBank, kFontKind, &request, 0, 0);
    EXPECT_EQ(1, first);
    EXPECT_EQ(2, second);
    EXPECT_EQ(2, HrFontBankLiveCount(fontBank));
    HostFontDelete(fontBank, first);
    EXPECT_EQ(1, HrFontBankLiveCount(fontBank));
    EXPECT_EQ(nullptr, HostFontGetGdiFont(fontBank, first)) << "a deleted handle finds nothing";
    EXPECT_EQ(3, HostFontCreate(fontBank, kFontKind, &request, 0, 0));
    HostFontDelete(fontBank, first); // twice: ignored
    HostFontDelete(fontBank, 999);
    EXPECT_EQ(2, HrFontBankLiveCount(fontBank));
}

TEST_F(Hostrun, FontCreateRefusesWhatItCannotUse) {
    FontRequest request = Request("Arial", -16, 400, "");
    EXPECT_EQ(0, HostFontCreate(fontBank, 0x100, &request, 0, 0)) << "another kind";
    EXPECT_EQ(0, HostFontCreate(fontBank, kFontKind, nullptr, 0, 0));
    EXPECT_EQ(0, HostFontCreate(nullptr, kFontKind, &request, 0, 0));
    EXPECT_EQ(0, HrFontBankLiveCount(fontBank));
    for (uint32_t handle : {0u, 1u, 0xFFFFu, 0x10001u})
        EXPECT_EQ(nullptr, HostFontGetGdiFont(fontBank, handle)) << handle;
}

TEST_F(Hostrun, StyleTextStrengthensTheDescription) {
    const struct {
        int32_t weight;
        uint8_t italic;
        const char* style;
        LONG expectedWeight;
        BYTE expectedItalic;
    } cases[] = {
        {400, 0, "", 400, 0},
        {400, 0, "Regular", 400, 0},
        {400, 0, "Bold", 700, 0},
        {400, 0, "Italic", 400, 1},
        {400, 0, "Bold Italic", 700, 1},
        {900, 0, "Bold", 900, 0}, // never lighter than asked
        {700, 1, "", 700, 1},
    };
    for (const auto& c : cases) {
        FontRequest request = Request("Courier New", -20, c.weight, c.style);
        request.font.italic = c.italic;
        request.font.underline = 1;
        request.font.charSet = ANSI_CHARSET;
        const uint16_t handle = HostFontCreate(fontBank, kFontKind, &request, 0, 0);
        ASSERT_NE(0, handle) << c.style;
        LOGFONTA lf = {};
        ASSERT_TRUE(HrFontBankDescription(fontBank, handle, &lf)) << c.style;
        EXPECT_EQ(-20, lf.lfHeight) << c.style;
        EXPECT_EQ(c.expectedWeight, lf.lfWeight) << c.style;
        EXPECT_EQ(c.expectedItalic, lf.lfItalic) << c.style;
        EXPECT_EQ(1, lf.lfUnderline) << c.style;
        EXPECT_STREQ("Courier New", lf.lfFaceName) << c.style;
    }
}

TEST_F(Hostrun, FaceNameWithoutTerminatorIsCut) {
    FontRequest request = Request("", -16, 400, "");
    std::memset(request.font.faceName, 'A', sizeof request.font.faceName);
    const uint16_t handle = HostFontCreate(fontBank, kFontKind, &request, 0, 0);
    ASSERT_NE(0, handle);
    LOGFONTA lf = {};
    ASSERT_TRUE(HrFontBankDescription(fontBank, handle, &lf));
    EXPECT_EQ(31u, std::strlen(lf.lfFaceName));
}

TEST_F(Hostrun, GdiFontIsFreshEachTimeAndOwnedByTheCaller) {
    FontRequest request = Request("Arial", -16, 400, "");
    const uint16_t handle = HostFontCreate(fontBank, kFontKind, &request, 0, 0);
    HFONT a = HostFontGetGdiFont(fontBank, handle);
    HFONT b = HostFontGetGdiFont(fontBank, handle);
    ASSERT_NE(nullptr, a);
    ASSERT_NE(nullptr, b);
    EXPECT_NE(a, b);
    EXPECT_TRUE(DeleteObject(a));
    EXPECT_TRUE(DeleteObject(b));
    // The bank's own font outlives the caller's copies.
    HFONT c = HostFontGetGdiFont(fontBank, handle);
    EXPECT_NE(nullptr, c);
    DeleteObject(c);
}

TEST_F(Hostrun, TextIsDrawnInItsColourOnATransparentBackground) {
    HrSurfaceFill(surface, RGB(0, 0, 128));
    FontRequest request = Request("Arial", -24, 700, "");
    HFONT font = HostFontGetGdiFont(fontBank, HostFontCreate(fontBank, kFontKind, &request, 0, 0));
    ASSERT_NE(nullptr, font);
    const RECT box = {40, 40, 200, 80};
    RECT copy = box;
    HostDrawText(surface, font, &copy, "10:15", RGB(255, 255, 0), kDrawTextFlags);
    DeleteObject(font);
    EXPECT_EQ(0, std::memcmp(&box, &copy, sizeof box)) << "the caller's rectangle is not written";
    int yellow = 0, other = 0;
    for (int y = box.top; y < box.bottom; ++y) {
        for (int x = box.left; x < box.right; ++x) {
            const uint32_t p = Pixel(x, y);
            if (p == 0xFFFF00u)
                ++yellow;
            else if (p != 0x000080u)
                ++other;
        }
    }
    EXPECT_GT(yellow, 20) << "the text is drawn";
    EXPECT_EQ(0, other) << "no background box, no smoothing colours";
    EXPECT_EQ(0, Marked(0, 0, 320, 40, 0x000080u)) << "nothing above the box";
    EXPECT_EQ(0, Marked(0, 80, 320, 240, 0x000080u)) << "nothing below the box";
}

TEST_F(Hostrun, LinesAndFramesUseTheLastPen) {
    const POINT from = {10, 10}, to = {60, 10};
    HostDrawLine(surface, &from, &to, 1); // before any pen: black on black
    EXPECT_EQ(0, Marked(0, 0, 320, 240));
    HostSetPen(surface, RGB(255, 0, 0), PS_SOLID, 1);
    HostDrawLine(surface, &from, &to, 1);
    EXPECT_EQ(0xFF0000u, Pixel(10, 10));
    EXPECT_EQ(0xFF0000u, Pixel(59, 10));
    EXPECT_EQ(50, Marked(0, 0, 320, 240)) << "a one-pixel line without its last point";

    HostSetPen(surface, RGB(0, 255, 0), PS_SOLID, 1);
    const RECT frame = {100, 100, 140, 130};
    HostDrawFrame(surface, &frame);
    EXPECT_EQ(0x00FF00u, Pixel(100, 100));
    EXPECT_EQ(0x00FF00u, Pixel(139, 129));
    EXPECT_EQ(0u, Pixel(120, 115)) << "the inside stays as it was";
    EXPECT_EQ(2 * 40 + 2 * 28, Marked(100, 100, 140, 130)) << "the outline only";
}

TEST_F(Hostrun, DeviceContextLoansAreCounted) {
    EXPECT_EQ(0, HrOutstandingDCs(surface));
    HDC measure = HostGetSurfaceDC(surface);
    ASSERT_NE(nullptr, measure);
    HDC draw = HostBeginGdiDraw(surface);
    ASSERT_NE(nullptr, draw);
    EXPECT_EQ(2, HrOutstandingDCs(surface));
    // Windows drawing on the lent context lands on the surface.
    HGDIOBJ old = SelectObject(draw, GetStockObject(WHITE_BRUSH));
    PatBlt(draw, 5, 5, 3, 2, PATCOPY);
    SelectObject(draw, old);
    HostEndGdiDraw(surface, draw);
    EXPECT_EQ(0xFFFFFFu, Pixel(5, 5));
    EXPECT_EQ(0xFFFFFFu, Pixel(7, 6));
    EXPECT_EQ(6, Marked(0, 0, 320, 240));
    HostReleaseSurfaceDC(surface, reinterpret_cast<HDC>(0x1234)); // not a loan
    EXPECT_EQ(1, HrOutstandingDCs(surface));
    HostReleaseSurfaceDC(surface, measure);
    EXPECT_EQ(0, HrOutstandingDCs(surface));
    HostReleaseSurfaceDC(surface, measure); // given back twice
    EXPECT_EQ(0, HrOutstandingDCs(surface));
}

TEST_F(Hostrun, ChangedAreaIsTheUnionUntilCleared) {
    RECT area = {-1, -1, -1, -1};
    EXPECT_FALSE(HrChangedArea(surface, &area));
    const RECT marks[] = {{10, 20, 30, 40}, {5, 25, 15, 60}, {12, 22, 14, 24}};
    for (const RECT& r : marks)
        HostMarkChanged(surface, &r);
    ASSERT_TRUE(HrChangedArea(surface, &area));
    const RECT expected = {5, 20, 30, 60};
    EXPECT_EQ(expected.left, area.left);
    EXPECT_EQ(expected.top, area.top);
    EXPECT_EQ(expected.right, area.right);
    EXPECT_EQ(expected.bottom, area.bottom);
    HrClearChangedArea(surface);
    EXPECT_FALSE(HrChangedArea(surface, &area));
    HostMarkChanged(surface, &marks[2]);
    ASSERT_TRUE(HrChangedArea(surface, &area));
    EXPECT_EQ(12, area.left);
    EXPECT_EQ(24, area.bottom);
}

TEST(HostrunSurface, RefusesEmptySizesAndReportsItsOwn) {
    for (const auto& size : {std::pair{0, 10}, std::pair{10, 0}, std::pair{-5, 5}})
        EXPECT_EQ(nullptr, HrSurfaceCreate(size.first, size.second))
            << size.first << " x " << size.second;
    HostSurface* surface = HrSurfaceCreate(7, 3);
    ASSERT_NE(nullptr, surface);
    HrSurfaceFill(surface, RGB(1, 2, 3));
    int32_t width = 0, height = 0;
    const uint32_t* pixels = HrSurfacePixels(surface, &width, &height);
    EXPECT_EQ(7, width);
    EXPECT_EQ(3, height);
    EXPECT_EQ(0x010203u, pixels[0]);
    EXPECT_EQ(0x010203u, pixels[20]);
    HrSurfaceDestroy(surface);
}

} // namespace
