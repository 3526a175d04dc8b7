// DisplayRunObject for every display type, digital layout and calendar format,
// each beside the bare platform calls its draw makes: the same host, graphics,
// profile, string and formatting calls with their arguments ready, so that the
// ratio is what the module adds to them.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "bench/objects.h"
#include "bench/pairs.h"
#include "core/time_count.h"
#include "contract/entry_points.h"
#include "core/module_instance.h"
#include "simulated_machine/sim_machine.h"
#include "winapi/windows_api.h"

namespace bench {
namespace {

typedef int16_t(WINAPI* EntryPoint)(RunData*);
EntryPoint volatile g_display = DisplayRunObject;
EntryPoint volatile g_empty = EmptyEntry;

RunData* g_run;
constexpr int kPatternSize = 40;
constexpr int kPieceSize = 24;

// The arguments of the bare calls, worked out once per setup.
struct Prepared {
    RECT object;
    POINT centre;
    POINT tips[3];
    POINT markInner[12];
    POINT markOuter[12];
    char numeral[12][8];
    int numeralLength[12];
    RECT numeralRect[12];
    RECT circle;
    RECT face;
};
Prepared g_at;

HostSurface* Surface() {
    return RunHeaderOf(g_run)->surface;
}

HostFontBank* FontBank() {
    return RunHeaderOf(g_run)->fontBank;
}

void Prepare() {
    RECT& o = g_at.object;
    o.left = g_run->header.x;
    o.top = g_run->header.y;
    o.right = o.left + g_run->header.width;
    o.bottom = o.top + g_run->header.height;
    RECT& f = g_at.face;
    f = o;
    if (g_run->settings.analogNumerals != kNumeralsNone) {
        f.left += g_run->dialInsetX / 2;
        f.right -= g_run->dialInsetX / 2;
        f.top += g_run->dialInsetY / 2;
        f.bottom -= g_run->dialInsetY / 2;
    }
    int cx = f.left + (f.right - f.left) / 2, cy = f.top + (f.bottom - f.top) / 2;
    int r = std::min(f.right - f.left, f.bottom - f.top) / 2 - 1;
    g_at.centre = POINT{cx, cy};
    auto at = [&](double angle, double d) {
        return POINT{cx + static_cast<int>(std::cos(angle) * d),
                     cy + static_cast<int>(std::sin(angle) * d)};
    };
    g_at.tips[0] = at(10 * 0.523 - 1.57, r * 2.0 / 3.0);
    g_at.tips[1] = at(15 * 0.104 - 1.57, r);
    g_at.tips[2] = at(42 * 0.104 - 1.57, r);
    static const char* const kRoman[12] = {"I",   "II",   "III", "IV", "V",  "VI",
                                           "VII", "VIII", "IX",  "X",  "XI", "XII"};
    for (int i = 0; i < 12; ++i) {
        double a = (i + 1) * 0.523 - 1.57;
        g_at.markInner[i] = at(a, r * 0.9);
        g_at.markOuter[i] = at(a, r);
        if (g_run->settings.analogNumerals == kNumeralsArabic)
            std::snprintf(g_at.numeral[i], sizeof g_at.numeral[i], "%d", i + 1);
        else
            std::snprintf(g_at.numeral[i], sizeof g_at.numeral[i], "%s", kRoman[i]);
        g_at.numeralLength[i] = static_cast<int>(std::strlen(g_at.numeral[i]));
        POINT p = g_at.markOuter[i];
        g_at.numeralRect[i] = RECT{p.x, p.y - 16, p.x + 8 * g_at.numeralLength[i], p.y};
    }
    g_at.circle = RECT{cx - r, cy - r, cx + r, cy + r};
}

auto Setup(ObjectKind settings, const char* shortDate = nullptr, const char* longDate = nullptr) {
    return [=] {
        g_run = NewObject(settings);
        if (shortDate) sim::SetProfileString("Intl", "sShortDate", shortDate);
        if (longDate) sim::SetProfileString("Intl", "sLongDate", longDate);
        // The chronometer has run 13 h 26 min 28.45 s; the five-minute
        // countdown has 3 min 0.5 s to go.
        if (settings.clockMode == kModeChronometer)
            g_run->chronoStart = CurrentTimeCount() - 4838845.0;
        if (settings.clockMode == kModeCountdown) g_run->chronoStart = CurrentTimeCount() - 11950.0;
        Prepare();
    };
}

void Display() {
    benchmark::DoNotOptimize(g_display(g_run));
}

// ---- the bare calls ----

void ReadClock() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    benchmark::DoNotOptimize(now);
}

void DrawLine(const char* text, COLORREF colour) {
    HFONT font = HostFontGetGdiFont(FontBank(), static_cast<uint16_t>(g_run->fontHandle));
    HostDrawText(Surface(), font, &g_at.object, text, colour, kDrawTextFlags);
    DeleteObject(font);
}

void Frame() {
    HostSetPen(Surface(), g_run->settings.digitalColor, 0, 2);
    HostDrawFrame(Surface(), &g_at.object);
}

char g_designator[kPatternSize];
char g_text[kPatternSize];
char g_pattern[kPatternSize];
char g_piece[kPieceSize];

void BareDigital(int layout, bool designator, bool border) {
    ReadClock();
    if (designator) GetProfileStringA("Intl", "s1159", "A.M.", g_designator, kPatternSize);
    if (layout == 1 || layout == 3)
        wsprintfA(g_text, "%02u:%02u:%02u", 10u, 15u, 42u);
    else
        wsprintfA(g_text, "%02u:%02u", 10u, 15u);
    DrawLine(g_text, g_run->settings.digitalColor);
    if (border) Frame();
}

void BareTimerDigital(unsigned hours, unsigned minutes, unsigned seconds) {
    ReadClock();
    ReadClock();
    wsprintfA(g_text, "%02u:%02u:%02u", hours, minutes, seconds);
    DrawLine(g_text, g_run->settings.digitalColor);
}

void Name(unsigned id) {
    LoadStringA(g_moduleInstance, id, g_piece, kPieceSize);
}

// The calendar prints its numbers itself; only the names and the pattern
// come from the platform.

// dd/mm/yy from the short date format.
void BareShortDate() {
    ReadClock();
    GetProfileStringA("Intl", "sShortDate", "dd/mm/yy", g_pattern, kPatternSize);
    DrawLine(g_text, g_run->settings.calendarColor);
}

// dddd, MMMM dd, yyyy from the long date format.
void BareLongDate() {
    ReadClock();
    GetProfileStringA("Intl", "sLongDate", "dd/mm/yy", g_pattern, kPatternSize);
    Name(20222 + 4);
    Name(20209 + 3);
    DrawLine(g_text, g_run->settings.calendarColor);
}

// Built-in pattern 1, d mmmm yyyy.
void BareBuiltinDate() {
    ReadClock();
    LoadStringA(g_moduleInstance, 20401, g_pattern, kPatternSize);
    Name(20209 + 3);
    DrawLine(g_text, g_run->settings.calendarColor);
}

void BareAnalog(bool numerals) {
    ReadClock();
    HostSurface* surface = Surface();
    HDC measuring = HostGetSurfaceDC(surface);
    static const int kWidths[3] = {2, 2, 1};
    const COLORREF colours[3] = {g_run->settings.hourHandColor, g_run->settings.minuteHandColor,
                                 g_run->settings.secondHandColor};
    for (int i = 0; i < 3; ++i) {
        HostSetPen(surface, colours[i], 0, kWidths[i]);
        HostDrawLine(surface, &g_at.centre, &g_at.tips[i], 1);
    }
    HostSetPen(surface, g_run->settings.analogColor, 0, 2);
    for (int i = 0; i < 12; ++i)
        HostDrawLine(surface, &g_at.markInner[i], &g_at.markOuter[i], 1);
    if (numerals) {
        HFONT font = HostFontGetGdiFont(FontBank(), static_cast<uint16_t>(g_run->fontHandle));
        HGDIOBJ previous = SelectObject(measuring, font);
        for (int i = 0; i < 12; ++i) {
            if (g_run->settings.analogNumerals == kNumeralsArabic)
                wsprintfA(g_text, "%u", static_cast<unsigned>(i + 1));
            SIZE extent;
            GetTextExtentPointA(measuring, g_at.numeral[i], g_at.numeralLength[i], &extent);
            HostDrawText(surface, font, &g_at.numeralRect[i], g_at.numeral[i],
                         g_run->settings.analogColor, kDrawTextFlags);
        }
        SelectObject(measuring, previous);
        DeleteObject(font);
        HDC dc = HostBeginGdiDraw(surface);
        HPEN pen = CreatePen(PS_SOLID, 2, g_run->settings.analogColor);
        HGDIOBJ brush = GetStockObject(NULL_BRUSH);
        HGDIOBJ previousPen = SelectObject(dc, pen);
        HGDIOBJ previousBrush = SelectObject(dc, brush);
        Ellipse(dc, g_at.circle.left, g_at.circle.top, g_at.circle.right, g_at.circle.bottom);
        SelectObject(dc, previousBrush);
        SelectObject(dc, previousPen);
        DeleteObject(pen);
        HostEndGdiDraw(surface, dc);
        HostMarkChanged(surface, &g_at.face);
    }
    HostReleaseSurfaceDC(surface, measuring);
}

ObjectKind Analog(int16_t numerals, int16_t border) {
    ObjectKind s;
    s.displayType = kDisplayAnalog;
    s.numerals = numerals;
    s.border = border;
    return s;
}

ObjectKind Digital(int16_t layout, int16_t mode = kModeTime, int16_t border = 0) {
    ObjectKind s;
    s.displayType = kDisplayDigital;
    s.digitalFormat = layout;
    s.clockMode = mode;
    s.border = border;
    return s;
}

ObjectKind Calendar(int16_t format, int16_t pattern = 1) {
    ObjectKind s;
    s.displayType = kDisplayCalendar;
    s.calendarFormat = format;
    s.calendarPattern = pattern;
    return s;
}

template <class Bare> void Add(const char* name, ObjectKind s, Bare bare) {
    AddPair("DisplayRunObject", MakeSide(name, Setup(s), Display),
            MakeSide("bare calls", Setup(s), bare), Goal::kAtMost1p2, Check::kSameCalls);
}

} // namespace

void RegisterDisplayPairs() {
    Add("analog, Arabic numerals, marks, circle", Analog(kNumeralsArabic, 1),
        [] { BareAnalog(true); });
    Add("analog, Roman numerals, marks, circle", Analog(kNumeralsRoman, 1),
        [] { BareAnalog(true); });
    Add("analog, hands and marks only", Analog(kNumeralsNone, 0), [] { BareAnalog(false); });

    Add("digital layout 0 (hh:mm A.M.)", Digital(0), [] { BareDigital(0, true, false); });
    Add("digital layout 1 (hh:mm:ss A.M.)", Digital(1), [] { BareDigital(1, true, false); });
    Add("digital layout 2 (hh:mm)", Digital(2), [] { BareDigital(2, false, false); });
    Add("digital layout 3 (hh:mm:ss)", Digital(3), [] { BareDigital(3, false, false); });
    Add("digital layout 1, frame", Digital(1, kModeTime, 1), [] { BareDigital(1, true, true); });
    Add("digital layout 3, chronometer", Digital(3, kModeChronometer),
        [] { BareTimerDigital(13, 26, 28); });
    Add("digital layout 3, countdown", Digital(3, kModeCountdown),
        [] { BareTimerDigital(0, 3, 0); });

    ObjectKind invisible;
    invisible.displayType = kDisplayInvisible;
    AddPair(
        "DisplayRunObject", MakeSide("invisible", Setup(invisible), Display),
        MakeSide("empty call", Setup(invisible), [] { benchmark::DoNotOptimize(g_empty(g_run)); }),
        Goal::kWithin2ns, Check::kSameCalls);

    AddPair("DisplayRunObject",
            MakeSide("calendar, short date (dd/mm/yy)", Setup(Calendar(0)), Display),
            MakeSide("bare calls", Setup(Calendar(0)), BareShortDate), Goal::kAtMost1p2,
            Check::kSameCalls);
    AddPair(
        "DisplayRunObject",
        MakeSide("calendar, long date (dddd, MMMM dd, yyyy)",
                 Setup(Calendar(1), nullptr, "dddd, MMMM dd, yyyy"), Display),
        MakeSide("bare calls", Setup(Calendar(1), nullptr, "dddd, MMMM dd, yyyy"), BareLongDate),
        Goal::kAtMost1p2, Check::kSameCalls);
    Add("calendar, built-in pattern 1 (d mmmm yyyy)", Calendar(2, 1), BareBuiltinDate);
}

} // namespace bench
