#include <cstring>

#include "core/numeric.h"
#include "display/bounded_text.h"
#include "display/display.h"
#include "module/module_instance.h"
#include "platform/windows_api.h"
#include "resources/string_ids.h"

namespace {

// One formatted number or one name before it is appended.
constexpr int kPieceSize = 24;
constexpr int kLongestRun = 4;
constexpr size_t kShortNameLength = 3;

// Only the ASCII letters fold: characters above 127 are copied as they are.
char FoldCase(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// The piece buffer is emptied first: a name the string table lacks then gives
// nothing, whatever LoadStringA does with the buffer.
void LoadName(unsigned id, char* piece, bool shortName) {
    piece[0] = '\0';
    LoadStringA(g_moduleInstance, id, piece, kPieceSize);
    piece[kPieceSize - 1] = '\0';
    if (shortName && std::strlen(piece) > kShortNameLength) piece[kShortNameLength] = '\0';
}

unsigned AsUnsigned(int32_t value) {
    return static_cast<unsigned>(value);
}

struct DateParts {
    int16_t year; // the low 16 bits, signed
    int16_t month;
    int16_t day;
    int16_t weekday;
};

// Formats the piece for a run of length 1..4 of the letter d, m or y.
void FormatRun(const DateParts& date, char letter, int length, char* piece) {
    piece[0] = '\0';
    switch (letter) {
    case 'd':
        if (length == 1)
            wsprintfA(piece, "%2u", AsUnsigned(date.day));
        else if (length == 2)
            wsprintfA(piece, "%02u", AsUnsigned(date.day));
        else
            LoadName(kStringWeekdayBase + static_cast<unsigned>(date.weekday), piece, length == 3);
        break;
    case 'm':
        if (length == 1)
            wsprintfA(piece, "%2u", AsUnsigned(date.month));
        else if (length == 2)
            wsprintfA(piece, "%02u", AsUnsigned(date.month));
        else
            LoadName(kStringMonthBase + static_cast<unsigned>(date.month), piece, length == 3);
        break;
    default: // 'y': a lone y gives nothing, and yyy reads as y followed by yy
        if (length == 2 || length == 3)
            wsprintfA(piece, "%02u", AsUnsigned(date.year % 100));
        else if (length == 4)
            wsprintfA(piece, "%04u", AsUnsigned(date.year));
        break;
    }
}

} // namespace

void FormatCalendarText(int32_t year, int16_t month, int16_t day, int16_t weekday,
                        const char* pattern, char* out, size_t capacity) {
    if (capacity == 0) return;
    out[0] = '\0';
    const DateParts date{Low16(year), month, day, weekday};
    const size_t length = std::strlen(pattern);
    size_t at = 0;
    while (at < length) {
        const char c = pattern[at];
        if (c == '"') {
            // A literal with no closing quote runs to the end of the pattern.
            const char* open = pattern + at + 1;
            const char* close = std::strchr(open, '"');
            size_t literal = close ? static_cast<size_t>(close - open) : length - at - 1;
            AppendBounded(out, capacity, open, literal);
            at += literal + (close ? 2 : 1);
            continue;
        }
        const char letter = FoldCase(c);
        if (letter != 'd' && letter != 'm' && letter != 'y') {
            AppendBounded(out, capacity, &c, 1);
            ++at;
            continue;
        }
        int run = 1;
        while (run < kLongestRun && FoldCase(pattern[at + run]) == letter)
            ++run;
        char piece[kPieceSize];
        FormatRun(date, letter, run, piece);
        AppendBounded(out, capacity, piece);
        at += static_cast<size_t>(run);
    }
}
