// Drawing on the surface: text on a transparent background, and lines and
// frames with the pen the module last set. Each call leaves the surface's
// DC as it found it, so the module's own selections survive host drawing.
#include "host/hostrun/hostrun_host.h"
#include "host/hostrun/surface_state.h"

namespace {

HGDIOBJ CurrentPen(HostSurface* surface) {
    return surface->pen ? static_cast<HGDIOBJ>(surface->pen) : GetStockObject(BLACK_PEN);
}

} // namespace

extern "C" {

void WINAPI HostDrawText(HostSurface* surface, HFONT font, const RECT* rect, const char* text,
                         COLORREF colour, uint32_t flags) {
    if (!surface || !rect || !text) return;
    HDC dc = surface->dc;
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColour = SetTextColor(dc, colour);
    HGDIOBJ oldFont = font ? SelectObject(dc, font) : nullptr;
    RECT box = *rect; // DrawTextA may write to it
    DrawTextA(dc, text, -1, &box, flags);
    if (oldFont) SelectObject(dc, oldFont);
    SetTextColor(dc, oldColour);
    SetBkMode(dc, oldMode);
}

void WINAPI HostSetPen(HostSurface* surface, COLORREF colour, int32_t style, int32_t width) {
    if (!surface) return;
    HPEN pen = CreatePen(style, width, colour);
    if (!pen) return; // keep the previous pen
    if (surface->pen) DeleteObject(surface->pen);
    surface->pen = pen;
}

void WINAPI HostDrawLine(HostSurface* surface, const POINT* from, const POINT* to, int32_t mode) {
    if (!surface || !from || !to) return;
    HDC dc = surface->dc;
    HGDIOBJ oldPen = SelectObject(dc, CurrentPen(surface));
    POINT oldPosition;
    MoveToEx(dc, from->x, from->y, &oldPosition);
    LineTo(dc, to->x, to->y);
    MoveToEx(dc, oldPosition.x, oldPosition.y, nullptr);
    SelectObject(dc, oldPen);
}

void WINAPI HostDrawFrame(HostSurface* surface, const RECT* rect) {
    if (!surface || !rect) return;
    HDC dc = surface->dc;
    HGDIOBJ oldPen = SelectObject(dc, CurrentPen(surface));
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, rect->left, rect->top, rect->right, rect->bottom);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
}

} // extern "C"
