#include "bench/host/bare_draws.h"

namespace {

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

// Layout 1 (hh:mm:ss and the designator) in the afternoon, framed.
void BareDigital(const BareContext& c) {
    bare::DigitalCalls(c.target, c.edit->settings, bare::Digital{1, 2, true, true, 11u, 59u, 59u});
}

// Built-in pattern 3, mmmm d, yyyy, in December.
void BareCalendar(const BareContext& c) {
    bare::CalendarCalls(c.target, c.edit->settings, bare::Calendar{2, 3, -1, 12});
}

void BareAnalog(const BareContext& c) {
    bare::AnalogCalls(c.target, c.edit->settings, c.dial);
}

} // namespace

BareContext BareContextFor(HostSurface* surface, HostFontBank* fonts, HINSTANCE module,
                           const EditData& edit, int32_t type, const RECT& rect) {
    const RECT face{rect.left + 12, rect.top + 8, rect.right - 12, rect.bottom - 8};
    return BareContext{
        bare::Target{surface, fonts, RegisterFontLike(fonts, edit, type), module, rect}, &edit,
        bare::DialIn(face, edit.settings.analogNumerals)};
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
