// Beginning and end of an object's life: the run data filled from the stored
// settings, and the one host font the object owns in between.
#include "core/change_detection.h"
#include "core/clock_records.h"
#include "core/numeric.h"
#include "core/records.h"
#include "core/style_text.h"
#include "contract/entry_points.h"

namespace {

constexpr int16_t kCreateFailed = -1;

// The font group a display type draws with; none for the invisible type or
// an unknown one.
struct FontGroup {
    const FontDescription* font;
    const char* style;
};

bool FontGroupOf(const RunData* run, FontGroup* group) {
    switch (run->settings.displayType) {
    case kDisplayAnalog:
        *group = {&run->settings.analogFont, run->settings.analogFontStyle};
        return true;
    case kDisplayDigital:
        *group = {&run->settings.digitalFont, run->settings.digitalFontStyle};
        return true;
    case kDisplayCalendar:
        *group = {&run->settings.calendarFont, run->settings.calendarFontStyle};
        return true;
    default:
        return false;
    }
}

// The settings block is the same record in both, but it is copied field by
// field: its spare block is never written, and the style texts are copied as
// texts, cut to their field with a NUL when the stored one has none.
void CopySettings(RunData* run, const EditData* edit) {
    ObjectSettings& to = run->settings;
    const ObjectSettings& from = edit->settings;
    to.displayType = from.displayType;
    to.clockMode = from.clockMode;
    to.border = from.border;
    to.analogMarks = from.analogMarks;
    to.analogNumerals = from.analogNumerals;
    to.analogFont = from.analogFont;
    to.analogColor = from.analogColor;
    CopyStyleText(to.analogFontStyle, kStyleTextSize, from.analogFontStyle, kStyleTextSize);
    to.secondHand = from.secondHand;
    to.secondHandColor = from.secondHandColor;
    to.minuteHand = from.minuteHand;
    to.minuteHandColor = from.minuteHandColor;
    to.hourHand = from.hourHand;
    to.hourHandColor = from.hourHandColor;
    to.digitalFormat = from.digitalFormat;
    to.digitalFont = from.digitalFont;
    to.digitalColor = from.digitalColor;
    CopyStyleText(to.digitalFontStyle, kStyleTextSize, from.digitalFontStyle, kStyleTextSize);
    to.calendarFormat = from.calendarFormat;
    to.calendarPattern = from.calendarPattern;
    to.calendarFont = from.calendarFont;
    to.calendarColor = from.calendarColor;
    CopyStyleText(to.calendarFontStyle, kStyleTextSize, from.calendarFontStyle, kStyleTextSize);
}

// Stored values are not range-checked: a negative minute count shortens the
// countdown, and any overflow wraps as the 32-bit machine does.
int32_t CountdownLength(const EditData* edit) {
    int32_t minutes = WrapAdd(WrapMul(edit->countdownHours, 60), edit->countdownMinutes);
    int32_t seconds = WrapAdd(WrapMul(minutes, 60), edit->countdownSeconds);
    return WrapMul(seconds, 100);
}

// The host copies what it keeps, so the request lives only for the call.
// Returns the host's handle, 0 on failure.
uint16_t RegisterFont(const RunData* run, const FontGroup& group) {
    FontRequest* request = static_cast<FontRequest*>(LocalAlloc(LPTR, sizeof(FontRequest)));
    if (!request) return 0;
    request->word10 = 1;
    request->font = *group.font;
    // The slot is shorter than the style field: a longer text is cut, and the
    // zero-filled allocation leaves the rest of the slot 0.
    CopyStyleText(request->style, sizeof request->style, group.style, kStyleTextSize);
    request->word98 = 2;
    request->word102 = 255;
    uint16_t handle = HostFontCreate(RunHeaderOf(run)->fontBank, kFontKind, request, 0, 0);
    LocalFree(request);
    return handle;
}

} // namespace

extern "C" int16_t WINAPI CreateRunObject(RunData* run, const EditData* edit,
                                          const CreationRecord* creation) {
    run->header.x = creation->x;
    run->header.y = creation->y;
    run->header.hotSpotX = 0;
    run->header.hotSpotY = 0;
    run->header.width = edit->width;
    run->header.height = edit->height;

    CopySettings(run, edit);
    run->countdownStart = CountdownLength(edit);
    run->dialInsetX = edit->dialInsetX;
    run->dialInsetY = edit->dialInsetY;

    FontGroup group;
    if (FontGroupOf(run, &group)) {
        uint16_t handle = RegisterFont(run, group);
        run->fontHandle = static_cast<int16_t>(handle);
        if (handle == 0) return kCreateFailed;
    }

    // Even the invisible type counts as shown: only an action hides an object.
    run->visible = 1;

    // The time of creation is already seen and raises no event.
    TimeOfDay time;
    CalendarDate date;
    ReadTimeOfDay(&time);
    ReadCalendarDate(&date);
    MarkUnitsSeen(run, &time, &date);

    run->firstHandle = 1;
    return 0;
}

extern "C" int16_t WINAPI DestroyRunObject(RunData* run, EditorArg) {
    RunHeader* rh = RunHeaderOf(run);
    if (run->visible == 1) rh->HostEraseObject(run, 0, 0);
    // The handle is the host's 16-bit value: widen it without sign.
    if (run->fontHandle != 0) HostFontDelete(rh->fontBank, static_cast<uint16_t>(run->fontHandle));
    return 0;
}
