#include "core/clock_records.h"
#include "display/display.h"
#include "core/module_instance.h"
#include "winapi/windows_api.h"
#include "resources/string_ids.h"

namespace {

constexpr int16_t kCalendarShortDate = 0; // the user's short date format
constexpr int16_t kCalendarLongDate = 1;  // the user's long date format
constexpr int16_t kCalendarBuiltin = 2;   // one of the module's own patterns

// Fills the 40-byte pattern buffer; false for a format outside 0..2.
bool ChooseDatePattern(const RunData* run, char* pattern) {
    pattern[0] = '\0';
    switch (run->settings.calendarFormat) {
    case kCalendarShortDate:
        GetProfileStringA("Intl", "sShortDate", "dd/mm/yy", pattern, kTextBufferSize);
        break;
    case kCalendarLongDate:
        GetProfileStringA("Intl", "sLongDate", "dd/mm/yy", pattern, kTextBufferSize);
        break;
    case kCalendarBuiltin:
        // A pattern number the table lacks names no resource: it shows nothing.
        if (run->settings.calendarPattern >= 0 &&
            run->settings.calendarPattern < kBuiltinPatternCount)
            LoadStringA(g_moduleInstance,
                        kStringPatternBase + static_cast<unsigned>(run->settings.calendarPattern),
                        pattern, kTextBufferSize);
        break;
    default:
        return false;
    }
    pattern[kTextBufferSize - 1] = '\0';
    return true;
}

} // namespace

bool FormatCalendarLine(const RunData* run, char* out, size_t capacity) {
    if (capacity == 0) return false; // GCOVR_EXCL_BR_LINE: every caller passes a 40-byte buffer
    out[0] = '\0';
    CalendarDate today;
    ReadCalendarDate(&today);
    char pattern[kTextBufferSize];
    if (!ChooseDatePattern(run, pattern)) return false;
    FormatCalendarText(static_cast<int32_t>(today.year), today.month, today.day, today.weekday,
                       pattern, out, capacity);
    return true;
}
