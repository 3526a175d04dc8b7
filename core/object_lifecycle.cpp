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
    switch (run->displayType) {
    case kDisplayAnalog:
        *group = {&run->analogFont, run->analogFontStyle};
        return true;
    case kDisplayDigital:
        *group = {&run->digitalFont, run->digitalFontStyle};
        return true;
    case kDisplayCalendar:
        *group = {&run->calendarFont, run->calendarFontStyle};
        return true;
    default:
        return false;
    }
}

void CopySettings(RunData* run, const EditData* edit) {
    run->displayType = edit->displayType;
    run->clockMode = edit->clockMode;
    run->border = edit->border;
    run->analogMarks = edit->analogMarks;
    run->analogNumerals = edit->analogNumerals;
    run->analogFont = edit->analogFont;
    run->analogColor = edit->analogColor;
    CopyStyleText(run->analogFontStyle, kStyleTextSize, edit->analogFontStyle, kStyleTextSize);
    run->secondHand = edit->secondHand;
    run->secondHandColor = edit->secondHandColor;
    run->minuteHand = edit->minuteHand;
    run->minuteHandColor = edit->minuteHandColor;
    run->hourHand = edit->hourHand;
    run->hourHandColor = edit->hourHandColor;
    run->digitalFormat = edit->digitalFormat;
    run->digitalFont = edit->digitalFont;
    run->digitalColor = edit->digitalColor;
    CopyStyleText(run->digitalFontStyle, kStyleTextSize, edit->digitalFontStyle, kStyleTextSize);
    run->calendarFormat = edit->calendarFormat;
    run->calendarPattern = edit->calendarPattern;
    run->calendarFont = edit->calendarFont;
    run->calendarColor = edit->calendarColor;
    CopyStyleText(run->calendarFontStyle, kStyleTextSize, edit->calendarFontStyle, kStyleTextSize);
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
