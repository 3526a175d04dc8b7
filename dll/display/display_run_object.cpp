#include "core/clock_records.h"
#include "core/numeric.h"
#include "display/display.h"
#include "contract/entry_points.h"

namespace {

RECT ObjectRect(const RunData* run) {
    const RunHeader* header = RunHeaderOf(run);
    RECT r;
    r.left = run->header.x - header->displayOriginX;
    r.top = run->header.y - header->displayOriginY;
    r.right = r.left + run->header.width;
    r.bottom = r.top + run->header.height;
    return r;
}

// Numerals need room outside the circle, so the face shrinks by half the
// insets on each side unless there are none.
RECT FaceRect(const RunData* run, const RECT& object) {
    if (run->settings.analogNumerals == kNumeralsNone) return object;
    const int32_t insetX = DivTrunc(run->dialInsetX, 2);
    const int32_t insetY = DivTrunc(run->dialInsetY, 2);
    return RECT{object.left + insetX, object.top + insetY, object.right - insetX,
                object.bottom - insetY};
}

// The three drawings stay out of line, so that the dispatcher itself costs an
// invisible or hidden object no more than a call: the host calls it for them
// on every frame they ask for it.
[[gnu::noinline]] void ShowAnalog(RunData* run, const RECT& object) {
    int16_t hour, minute, second;
    if (run->settings.clockMode == kModeTime) {
        TimeOfDay now;
        ReadTimeOfDay(&now);
        hour = static_cast<int16_t>(FoldHour(now.hour));
        minute = now.minute;
        second = now.second;
    } else {
        // A timer of a day or more keeps hours above 11 here: 25 h gives 13.
        TimerReading t = ReadDisplayedTimer(run);
        hour = static_cast<int16_t>(FoldHour(t.hours));
        minute = static_cast<int16_t>(t.minutes);
        second = static_cast<int16_t>(t.seconds);
    }
    RECT face = FaceRect(run, object);
    DrawAnalogFace(run, hour, minute, second, &face);
}

[[gnu::noinline]] void ShowDigital(RunData* run) {
    char text[kTextBufferSize];
    if (!FormatDigitalText(run, text, sizeof text)) return;
    RECT object = ObjectRect(run);
    DrawDigitalText(run, text, &object);
}

[[gnu::noinline]] void ShowCalendar(RunData* run) {
    char text[kTextBufferSize];
    if (!FormatCalendarLine(run, text, sizeof text)) return;
    RECT object = ObjectRect(run);
    DrawCalendarText(run, text, &object);
}

} // namespace

extern "C" int16_t WINAPI DisplayRunObject(RunData* run) {
    if (run->visible != 1) return 0;
    switch (run->settings.displayType) {
    case kDisplayAnalog:
        ShowAnalog(run, ObjectRect(run));
        break;
    case kDisplayDigital:
        ShowDigital(run);
        break;
    case kDisplayCalendar:
        ShowCalendar(run);
        break;
    default: // invisible, or a type this module does not know
        break;
    }
    return 0;
}
