#include "bench/bare_calls.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "contract/host_services.h"
#include "display/display.h"
#include "resources/string_ids.h"
#include "winapi/windows_api.h"

namespace bare {
namespace {

// The module's buffer for one name, and the values it falls back on when the
// profile has none.
constexpr int kPieceSize = 24;
const char* const kDesignatorKeys[3] = {nullptr, "s1159", "s2359"};
const char* const kDesignatorDefaults[3] = {nullptr, "A.M.", "P.M."};
constexpr char kDefaultDatePattern[] = "dd/mm/yy";

char g_designator[kTextBufferSize];
char g_text[kTextBufferSize];
char g_pattern[kTextBufferSize];
char g_piece[kPieceSize];

// What the optimiser must assume is read, as the benchmark library's
// DoNotOptimize does without the library, which the Windows side lacks.
template <class T> void Keep(const T& value) {
    asm volatile("" : : "r,m"(value) : "memory");
}

void DrawLine(const Target& target, const char* text, COLORREF colour) {
    HFONT font = HostFontGetGdiFont(target.fonts, target.font);
    HostDrawText(target.surface, font, &target.rect, text, colour, kDrawTextFlags);
    DeleteObject(font);
}

} // namespace

Dial DialIn(const RECT& face, int16_t numerals) {
    Dial d{};
    d.face = face;
    d.numerals = numerals != kNumeralsNone;
    d.arabic = numerals == kNumeralsArabic;
    int cx = face.left + (face.right - face.left) / 2, cy = face.top + (face.bottom - face.top) / 2;
    int r = std::min(face.right - face.left, face.bottom - face.top) / 2 - 1;
    d.centre = POINT{cx, cy};
    auto at = [&](double angle, double distance) {
        return POINT{cx + static_cast<int>(std::cos(angle) * distance),
                     cy + static_cast<int>(std::sin(angle) * distance)};
    };
    d.tips[0] = at(10 * 0.523 - 1.57, r * 2.0 / 3.0);
    d.tips[1] = at(15 * 0.104 - 1.57, r);
    d.tips[2] = at(42 * 0.104 - 1.57, r);
    static const char* const kRoman[12] = {"I",   "II",   "III", "IV", "V",  "VI",
                                           "VII", "VIII", "IX",  "X",  "XI", "XII"};
    for (int i = 0; i < 12; ++i) {
        double a = (i + 1) * 0.523 - 1.57;
        d.markInner[i] = at(a, r * 0.9);
        d.markOuter[i] = at(a, r);
        if (d.arabic)
            std::snprintf(d.numeral[i], sizeof d.numeral[i], "%d", i + 1);
        else
            std::snprintf(d.numeral[i], sizeof d.numeral[i], "%s", kRoman[i]);
        d.numeralLength[i] = static_cast<int>(std::strlen(d.numeral[i]));
        POINT p = d.markOuter[i];
        d.numeralRect[i] = RECT{p.x, p.y - 16, p.x + 8 * d.numeralLength[i], p.y};
    }
    d.circle = RECT{cx - r, cy - r, cx + r, cy + r};
    return d;
}

void ReadClock() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    Keep(now);
}

void LoadName(HINSTANCE module, unsigned id) {
    LoadStringA(module, id, g_piece, kPieceSize);
}

void ReadClockTwice() {
    SYSTEMTIME a, b;
    GetLocalTime(&a);
    GetLocalTime(&b);
    Keep(a);
    Keep(b);
}

void DigitalCalls(const Target& target, const ObjectSettings& settings, const Digital& draw) {
    for (int i = 0; i < draw.clockReads; ++i)
        ReadClock();
    if (draw.designator)
        GetProfileStringA("Intl", kDesignatorKeys[draw.designator],
                          kDesignatorDefaults[draw.designator], g_designator, kTextBufferSize);
    if (draw.seconds)
        wsprintfA(g_text, "%02u:%02u:%02u", draw.hour, draw.minute, draw.second);
    else
        wsprintfA(g_text, "%02u:%02u", draw.hour, draw.minute);
    DrawLine(target, g_text, settings.digitalColor);
    if (!draw.frame) return;
    HostSetPen(target.surface, settings.digitalColor, 0, 2);
    HostDrawFrame(target.surface, &target.rect);
}

// The calendar prints its numbers itself; only the names and the pattern
// come from the platform.
void CalendarCalls(const Target& target, const ObjectSettings& settings, const Calendar& draw) {
    ReadClock();
    if (draw.format == 2)
        LoadStringA(target.module, kStringPatternBase + static_cast<unsigned>(draw.pattern),
                    g_pattern, kTextBufferSize);
    else
        GetProfileStringA("Intl", draw.format == 0 ? "sShortDate" : "sLongDate",
                          kDefaultDatePattern, g_pattern, kTextBufferSize);
    if (draw.weekday >= 0)
        LoadName(target.module, kStringWeekdayBase + static_cast<unsigned>(draw.weekday));
    if (draw.month > 0)
        LoadName(target.module, kStringMonthBase + static_cast<unsigned>(draw.month));
    DrawLine(target, g_text, settings.calendarColor);
}

void AnalogCalls(const Target& target, const ObjectSettings& settings, const Dial& dial) {
    ReadClock();
    HostSurface* surface = target.surface;
    HDC measuring = HostGetSurfaceDC(surface);
    static const int kWidths[3] = {2, 2, 1};
    const COLORREF colours[3] = {settings.hourHandColor, settings.minuteHandColor,
                                 settings.secondHandColor};
    for (int i = 0; i < 3; ++i) {
        HostSetPen(surface, colours[i], 0, kWidths[i]);
        HostDrawLine(surface, &dial.centre, &dial.tips[i], 1);
    }
    HostSetPen(surface, settings.analogColor, 0, 2);
    for (int i = 0; i < 12; ++i)
        HostDrawLine(surface, &dial.markInner[i], &dial.markOuter[i], 1);
    if (dial.numerals) {
        HFONT font = HostFontGetGdiFont(target.fonts, target.font);
        HGDIOBJ previous = SelectObject(measuring, font);
        for (int i = 0; i < 12; ++i) {
            if (dial.arabic) wsprintfA(g_text, "%u", static_cast<unsigned>(i + 1));
            SIZE extent;
            GetTextExtentPointA(measuring, dial.numeral[i], dial.numeralLength[i], &extent);
            HostDrawText(surface, font, &dial.numeralRect[i], dial.numeral[i], settings.analogColor,
                         kDrawTextFlags);
        }
        SelectObject(measuring, previous);
        DeleteObject(font);
        HDC dc = HostBeginGdiDraw(surface);
        HPEN pen = CreatePen(PS_SOLID, 2, settings.analogColor);
        HGDIOBJ brush = GetStockObject(NULL_BRUSH);
        HGDIOBJ previousPen = SelectObject(dc, pen);
        HGDIOBJ previousBrush = SelectObject(dc, brush);
        Ellipse(dc, dial.circle.left, dial.circle.top, dial.circle.right, dial.circle.bottom);
        SelectObject(dc, previousBrush);
        SelectObject(dc, previousPen);
        DeleteObject(pen);
        HostEndGdiDraw(surface, dc);
        HostMarkChanged(surface, &dial.face);
    }
    HostReleaseSurfaceDC(surface, measuring);
}

} // namespace bare
