#include <cmath>
#include <cstring>

#include "core/numeric.h"
#include "display/display.h"
#include "winapi/windows_api.h"

namespace {

// The dial's steps are these decimals, not exact fractions of a turn: faces
// drawn before must keep drawing to the same pixels.
constexpr double kHourStep = 0.523;
constexpr double kMinuteStep = 0.104;
constexpr double kQuarterTurn = 1.57;
constexpr double kHourHandLength = 0.6666666666666666;
constexpr double kMarkInner = 0.9;

const char kRomanNumerals[12][5] = {"I",   "II",   "III", "IV", "V",  "VI",
                                    "VII", "VIII", "IX",  "X",  "XI", "XII"};

struct Dial {
    int32_t cx;
    int32_t cy;
    int16_t r;
};

#if defined(__i386__)
// The C library's sine and cosine may compute on the x87 unit, which a host
// may have left at 24-bit precision or another rounding; they get Windows'
// default mode for the call, and the host gets its own back.
class DefaultX87Mode {
  public:
    DefaultX87Mode() {
        __asm__ volatile("fnstcw %0" : "=m"(saved_));
        const uint16_t standard = 0x027F; // 53-bit precision, to nearest, all masked
        __asm__ volatile("fldcw %0" : : "m"(standard) : "memory");
    }
    ~DefaultX87Mode() { __asm__ volatile("fldcw %0" : : "m"(saved_) : "memory"); }

  private:
    uint16_t saved_;
};
#else
// Elsewhere doubles live in SSE registers only.
struct DefaultX87Mode {
    DefaultX87Mode() {}
};
#endif

struct Direction {
    double cosine;
    double sine;
};

// Worked out on every draw, by the C library the module imports: nothing is
// kept between calls. Out of line so that the compiler never folds an angle
// or its sine and cosine.
[[gnu::noinline]] Direction DirectionOf(int32_t value, double step) {
    DefaultX87Mode mode;
    const double angle = value * step - kQuarterTurn;
    return Direction{std::cos(angle), std::sin(angle)};
}

Direction HourDirection(int32_t value) {
    return DirectionOf(value, kHourStep);
}

Direction MinuteDirection(int32_t value) {
    return DirectionOf(value, kMinuteStep);
}

// The point at distance d along a direction; each coordinate is truncated on
// its own.
POINT PointAt(const Dial& dial, const Direction& direction, double distance) {
    POINT p;
    p.x = WrapAdd(dial.cx, TruncToI32(direction.cosine * distance));
    p.y = WrapAdd(dial.cy, TruncToI32(direction.sine * distance));
    return p;
}

void DrawHand(HostSurface* surface, const Dial& dial, const POINT& tip, COLORREF colour,
              int32_t width, int16_t* tipX, int16_t* tipY) {
    *tipX = Low16(tip.x);
    *tipY = Low16(tip.y);
    HostSetPen(surface, colour, 0, width);
    POINT centre{dial.cx, dial.cy};
    HostDrawLine(surface, &centre, &tip, 1);
}

// Each numeral sits outside the circle, on the side facing away from it.
RECT NumeralRect(int i, POINT anchor, SIZE extent) {
    const int32_t px = anchor.x, py = anchor.y, w = extent.cx, h = extent.cy;
    RECT r;
    switch (i) {
    case 1:
    case 2:
        r = {px, py - h, px + w, py};
        break;
    case 3:
        r.left = px + 2;
        r.top = py - h / 2;
        r.right = r.left + w;
        r.bottom = r.top + h;
        break;
    case 4:
    case 5:
        r = {px, py, px + w, py + h};
        break;
    case 6:
        r.left = px - w / 2;
        r.top = py + 1;
        r.right = r.left + w;
        r.bottom = r.top + h;
        break;
    case 7:
    case 8:
        r = {px - w, py, px, py + h};
        break;
    case 9:
        r.left = px - 2 - w;
        r.top = py - h / 2;
        r.right = px - 2;
        r.bottom = r.top + h;
        break;
    case 10:
    case 11:
        r = {px - w, py - h, px, py};
        break;
    default: // 12
        r.left = px - w / 2;
        r.top = py - 1 - h;
        r.right = r.left + w;
        r.bottom = py - 1;
        break;
    }
    return r;
}

// False when the host has no Windows font: the circle is then left out too.
bool DrawNumerals(RunData* run, HDC measuring, const Dial& dial) {
    RunHeader* header = RunHeaderOf(run);
    HFONT font = HostFontGetGdiFont(header->fontBank, static_cast<uint16_t>(run->fontHandle));
    if (!font) return false;
    HGDIOBJ previous = SelectObject(measuring, font);
    for (int i = 1; i <= 12; ++i) {
        char text[16];
        if (run->settings.analogNumerals == kNumeralsArabic)
            wsprintfA(text, "%u", static_cast<unsigned>(i));
        else
            std::memcpy(text, kRomanNumerals[i - 1], sizeof kRomanNumerals[0]);
        // A measurement that fails leaves the rectangle defined rather than
        // built from stale stack.
        SIZE extent{0, 0};
        GetTextExtentPointA(measuring, text, static_cast<int>(std::strlen(text)), &extent);
        RECT rect = NumeralRect(i, PointAt(dial, HourDirection(i), dial.r), extent);
        HostDrawText(header->surface, font, &rect, text, run->settings.analogColor, kDrawTextFlags);
    }
    // A font that could not be selected leaves nothing to put back.
    if (previous) SelectObject(measuring, previous);
    DeleteObject(font);
    return true;
}

// Whatever Windows or the host refuses, the context goes back as it came and
// the pen is deleted. The ellipse needs both the pen and the hollow brush in
// place: with the context's own brush it would paint over the face.
void DrawCircle(RunData* run, const Dial& dial, const RECT* face) {
    HostSurface* surface = RunHeaderOf(run)->surface;
    HDC dc = HostBeginGdiDraw(surface);
    if (!dc) return;
    HPEN pen = CreatePen(PS_SOLID, 2, run->settings.analogColor);
    HGDIOBJ brush = GetStockObject(NULL_BRUSH);
    HGDIOBJ previousPen = pen && brush ? SelectObject(dc, pen) : nullptr;
    if (previousPen) {
        HGDIOBJ previousBrush = SelectObject(dc, brush);
        if (previousBrush) {
            Ellipse(dc, WrapSub(dial.cx, dial.r), WrapSub(dial.cy, dial.r),
                    WrapAdd(dial.cx, dial.r), WrapAdd(dial.cy, dial.r));
            SelectObject(dc, previousBrush);
        }
        SelectObject(dc, previousPen);
    }
    if (pen) DeleteObject(pen);
    HostEndGdiDraw(surface, dc);
    HostMarkChanged(surface, face);
}

} // namespace

void DrawAnalogFace(RunData* run, int16_t hour, int16_t minute, int16_t second, const RECT* face) {
    const int32_t width = WrapSub(face->right, face->left);
    const int32_t height = WrapSub(face->bottom, face->top);
    Dial dial;
    dial.cx = WrapAdd(face->left, DivTrunc(width, 2));
    dial.cy = WrapAdd(face->top, DivTrunc(height, 2));
    dial.r = Low16(WrapSub(DivTrunc(width < height ? width : height, 2), 1));
    // The expressions read the centre even when no hand is drawn.
    run->centreX = Low16(dial.cx);
    run->centreY = Low16(dial.cy);

    HostSurface* surface = RunHeaderOf(run)->surface;
    HDC measuring = HostGetSurfaceDC(surface);

    const double r = dial.r;
    if (run->settings.hourHand == 1)
        DrawHand(surface, dial, PointAt(dial, HourDirection(hour), r * kHourHandLength),
                 run->settings.hourHandColor, 2, &run->hourHandEndX, &run->hourHandEndY);
    if (run->settings.minuteHand == 1)
        DrawHand(surface, dial, PointAt(dial, MinuteDirection(minute), r),
                 run->settings.minuteHandColor, 2, &run->minuteHandEndX, &run->minuteHandEndY);
    if (run->settings.secondHand == 1)
        DrawHand(surface, dial, PointAt(dial, MinuteDirection(second), r),
                 run->settings.secondHandColor, 1, &run->secondHandEndX, &run->secondHandEndY);

    if (run->settings.analogMarks == 1) {
        HostSetPen(surface, run->settings.analogColor, 0, 2);
        for (int i = 1; i <= 12; ++i) {
            const Direction direction = HourDirection(i);
            POINT inner = PointAt(dial, direction, r * kMarkInner);
            POINT outer = PointAt(dial, direction, r);
            HostDrawLine(surface, &inner, &outer, 1);
        }
    }

    // Numerals cannot be placed without the measuring context; the circle
    // has a context of its own.
    bool haveFont = true;
    if (run->settings.analogNumerals != kNumeralsNone && measuring)
        haveFont = DrawNumerals(run, measuring, dial);
    if (haveFont && run->settings.border == 1) DrawCircle(run, dial, face);

    if (measuring) HostReleaseSurfaceDC(surface, measuring);
}
