#include <cstring>

#include "core/clock_records.h"
#include "display/bounded_text.h"
#include "display/display.h"
#include "winapi/windows_api.h"

namespace {

constexpr int16_t kLayoutShort12 = 0; // hh:mm and the designator
constexpr int16_t kLayoutLong12 = 1;  // hh:mm:ss and the designator
constexpr int16_t kLayoutShort24 = 2; // hh:mm
constexpr int16_t kLayoutLong24 = 3;  // hh:mm:ss

bool HasSeconds(int16_t layout) {
    return layout == kLayoutLong12 || layout == kLayoutLong24;
}

// The parts are 16-bit, so the widest clock, "65535:65535:65535", fits the
// scratch buffer; it reaches out through the bounded append like the rest.
void FormatClock(BoundedText* text, int16_t layout, unsigned hour, unsigned minute,
                 unsigned second) {
    char clock[kTextBufferSize];
    int length;
    if (HasSeconds(layout))
        length = wsprintfA(clock, "%02u:%02u:%02u", hour, minute, second);
    else
        length = wsprintfA(clock, "%02u:%02u", hour, minute);
    text->Append(clock, length > 0 ? static_cast<size_t>(length) : 0);
}

// The user's designator is read anew on every draw so that a change of the
// Windows settings shows at once.
void FormatLocalTime(int16_t layout, BoundedText* text) {
    TimeOfDay now;
    ReadTimeOfDay(&now);
    unsigned hour = now.hour;
    if (layout == kLayoutShort24 || layout == kLayoutLong24) {
        FormatClock(text, layout, hour, now.minute, now.second);
        return;
    }
    char designator[kTextBufferSize];
    designator[0] = '\0';
    if (hour < 12) {
        GetProfileStringA("Intl", "s1159", "A.M.", designator, sizeof designator);
    } else {
        GetProfileStringA("Intl", "s2359", "P.M.", designator, sizeof designator);
        if (hour > 12) hour -= 12;
    }
    designator[sizeof designator - 1] = '\0';
    FormatClock(text, layout, hour, now.minute, now.second);
    if (designator[0] == '\0') return;
    text->Append(' ');
    text->Append(designator, std::strlen(designator));
}

void FormatTimer(const RunData* run, int16_t layout, BoundedText* text) {
    TimerReading t = ReadDisplayedTimer(run);
    uint16_t hours = t.hours;
    switch (layout) {
    case kLayoutShort12:
    case kLayoutLong12:
        hours = FoldHour(FoldHour(hours));
        break;
    case kLayoutShort24:
        hours = FoldHour(hours);
        break;
    default: // the long 24-hour layout shows the hours unfolded
        break;
    }
    FormatClock(text, layout, hours, t.minutes, t.seconds);
}

} // namespace

bool FormatDigitalText(const RunData* run, char* out, size_t capacity) {
    if (capacity == 0) return false; // GCOVR_EXCL_BR_LINE: every caller passes a 40-byte buffer
    out[0] = '\0';
    const int16_t layout = run->settings.digitalFormat;
    if (layout < kLayoutShort12 || layout > kLayoutLong24) return false;
    BoundedText text{out, capacity, 0};
    if (run->settings.clockMode == kModeTime)
        FormatLocalTime(layout, &text);
    else
        FormatTimer(run, layout, &text);
    return true;
}
