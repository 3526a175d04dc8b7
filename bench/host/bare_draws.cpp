#include "bench/host/bare_draws.h"

#include <algorithm>

namespace {

HFONT FontOf(const BareContext& c) {
    return HostFontGetGdiFont(c.fonts, c.font);
}

void BareDigital(const BareContext& c) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    char designator[40], text[40];
    GetProfileStringA("Intl", "s2359", "P.M.", designator, sizeof designator);
    wsprintfA(text, "%02u:%02u:%02u", 11u, 59u, 59u);
    HFONT font = FontOf(c);
    HostDrawText(c.surface, font, &c.rect, "11:59:59 P.M.", c.edit->settings.digitalColor,
                 kDrawTextFlags);
    DeleteObject(font);
    HostSetPen(c.surface, c.edit->settings.digitalColor, 0, 2);
    HostDrawFrame(c.surface, &c.rect);
}

// Built-in pattern 3, mmmm d, yyyy.
void BareCalendar(const BareContext& c) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    char pattern[40], piece[24];
    LoadStringA(c.module, 20403, pattern, sizeof pattern);
    LoadStringA(c.module, 20209 + 12, piece, sizeof piece);
    wsprintfA(piece, "%2u", 31u);
    wsprintfA(piece, "%04u", 2026u);
    HFONT font = FontOf(c);
    HostDrawText(c.surface, font, &c.rect, "December 31, 2026", c.edit->settings.calendarColor,
                 kDrawTextFlags);
    DeleteObject(font);
}

void BareAnalog(const BareContext& c) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    const RECT face{c.rect.left + 12, c.rect.top + 8, c.rect.right - 12, c.rect.bottom - 8};
    const POINT centre{(face.left + face.right) / 2, (face.top + face.bottom) / 2};
    const int32_t r = std::min(face.right - face.left, face.bottom - face.top) / 2 - 1;
    HDC measuring = HostGetSurfaceDC(c.surface);
    const POINT tips[3] = {
        {centre.x, centre.y - r * 2 / 3}, {centre.x + r, centre.y}, {centre.x, centre.y + r}};
    const COLORREF colours[3] = {c.edit->settings.hourHandColor, c.edit->settings.minuteHandColor,
                                 c.edit->settings.secondHandColor};
    for (int i = 0; i < 3; ++i) {
        HostSetPen(c.surface, colours[i], 0, i == 2 ? 1 : 2);
        HostDrawLine(c.surface, &centre, &tips[i], 1);
    }
    HostSetPen(c.surface, c.edit->settings.analogColor, 0, 2);
    for (int i = 1; i <= 12; ++i) {
        POINT inner{centre.x + (i - 6) * r / 7, centre.y - r * 9 / 10};
        POINT outer{centre.x + (i - 6) * r / 6, centre.y - r};
        HostDrawLine(c.surface, &inner, &outer, 1);
    }
    HFONT font = FontOf(c);
    HGDIOBJ previous = SelectObject(measuring, font);
    for (int i = 1; i <= 12; ++i) {
        char text[8];
        int length = wsprintfA(text, "%u", static_cast<unsigned>(i));
        SIZE extent;
        GetTextExtentPointA(measuring, text, length, &extent);
        RECT box{centre.x + (i - 6) * r / 6, centre.y - r - extent.cy,
                 centre.x + (i - 6) * r / 6 + extent.cx, centre.y - r};
        HostDrawText(c.surface, font, &box, text, c.edit->settings.analogColor, kDrawTextFlags);
    }
    SelectObject(measuring, previous);
    DeleteObject(font);
    HDC dc = HostBeginGdiDraw(c.surface);
    HPEN pen = CreatePen(PS_SOLID, 2, c.edit->settings.analogColor);
    HGDIOBJ brush = GetStockObject(NULL_BRUSH);
    HGDIOBJ previousPen = SelectObject(dc, pen);
    HGDIOBJ previousBrush = SelectObject(dc, brush);
    Ellipse(dc, centre.x - r, centre.y - r, centre.x + r, centre.y + r);
    SelectObject(dc, previousBrush);
    SelectObject(dc, previousPen);
    DeleteObject(pen);
    HostEndGdiDraw(c.surface, dc);
    HostMarkChanged(c.surface, &face);
    HostReleaseSurfaceDC(c.surface, measuring);
}

} // namespace

uint16_t RegisterFontLike(HostFontBank* fonts, const EditData& edit, int32_t type) {
    FontRequest request{};
    request.word10 = 1;
    request.word98 = 2;
    request.word102 = 255;
    request.font = type == kDisplayAnalog    ? edit.settings.analogFont
                   : type == kDisplayDigital ? edit.settings.digitalFont
                                             : edit.settings.calendarFont;
    return HostFontCreate(fonts, kFontKind, &request, 0, 0);
}

BareDraw BareDrawFor(int32_t type) {
    switch (type) {
    case kDisplayAnalog:
        return BareAnalog;
    case kDisplayDigital:
        return BareDigital;
    case kDisplayCalendar:
        return BareCalendar;
    default:
        return nullptr;
    }
}
