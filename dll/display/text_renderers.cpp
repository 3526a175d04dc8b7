#include "display/display.h"
#include "winapi/windows_api.h"

namespace {

// The Windows font is made from the host font for this one draw and deleted
// right after; false when the host has none, and then nothing is drawn.
bool DrawCentredLine(RunData* run, const char* text, const RECT* rect, COLORREF colour) {
    RunHeader* header = RunHeaderOf(run);
    HFONT font = HostFontGetGdiFont(header->fontBank, static_cast<uint16_t>(run->fontHandle));
    if (!font) return false;
    HostDrawText(header->surface, font, rect, text, colour, kDrawTextFlags);
    DeleteObject(font);
    return true;
}

} // namespace

void DrawDigitalText(RunData* run, const char* text, const RECT* rect) {
    if (!DrawCentredLine(run, text, rect, run->settings.digitalColor)) return;
    if (run->settings.border != 1) return;
    HostSurface* surface = RunHeaderOf(run)->surface;
    HostSetPen(surface, run->settings.digitalColor, 0, 2);
    HostDrawFrame(surface, rect);
}

void DrawCalendarText(RunData* run, const char* text, const RECT* rect) {
    DrawCentredLine(run, text, rect, run->settings.calendarColor);
}
