#include <cstring>

#include "core/numeric.h"
#include "display/bounded_text.h"
#include "display/display.h"
#include "core/module_instance.h"
#include "winapi/windows_api.h"
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
size_t LoadName(unsigned id, char* piece, bool shortName) {
    piece[0] = '\0';
    LoadStringA(g_moduleInstance, id, piece, kPieceSize);
    piece[kPieceSize - 1] = '\0';
    size_t length = std::strlen(piece);
    if (shortName && length > kShortNameLength) {
        piece[kShortNameLength] = '\0';
        length = kShortNameLength;
    }
    return length;
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

// A number is formatted into the piece buffer first; the widest, a 32-bit
// value, takes ten characters of its 24.
void AppendNumber(BoundedText* text, uint32_t value, const char* format) {
    char piece[kPieceSize];
    int length = wsprintfA(piece, format, value);
    text->Append(piece, static_cast<size_t>(length));
}

// Appends what a run of length 1..4 of the letter d, m or y stands for.
// Single letters pad with a space, as "%2u" does.
void AppendRun(BoundedText* text, const DateParts& date, char letter, int length) {
    char piece[kPieceSize];
    switch (letter) {
    case 'd':
        if (length <= 2)
            return AppendNumber(text, AsUnsigned(date.day), length == 1 ? "%2u" : "%02u");
        text->Append(piece, LoadName(kStringWeekdayBase + static_cast<unsigned>(date.weekday),
                                     piece, length == 3));
        return;
    case 'm':
        if (length <= 2)
            return AppendNumber(text, AsUnsigned(date.month), length == 1 ? "%2u" : "%02u");
        text->Append(piece, LoadName(kStringMonthBase + static_cast<unsigned>(date.month), piece,
                                     length == 3));
        return;
    default: // 'y': a lone y gives nothing, and yyy reads as y followed by yy
        if (length == 2 || length == 3)
            return AppendNumber(text, AsUnsigned(date.year % 100), "%02u");
        if (length == 4) AppendNumber(text, AsUnsigned(date.year), "%04u");
        return;
    }
}

} // namespace

void FormatCalendarText(int32_t year, int16_t month, int16_t day, int16_t weekday,
                        const char* pattern, char* out, size_t capacity) {
    if (capacity == 0) return; // GCOVR_EXCL_BR_LINE: every caller passes a 40-byte buffer
    out[0] = '\0';
    const DateParts date{Low16(year), month, day, weekday};
    const size_t length = std::strlen(pattern);
    BoundedText text{out, capacity, 0};
    size_t at = 0;
    while (at < length) {
        const char c = pattern[at];
        if (c == '"') {
            // A literal with no closing quote runs to the end of the pattern.
            const char* open = pattern + at + 1;
            const char* close = std::strchr(open, '"');
            size_t literal = close ? static_cast<size_t>(close - open) : length - at - 1;
            text.Append(open, literal);
            at += literal + (close ? 2 : 1);
            continue;
        }
        const char letter = FoldCase(c);
        if (letter != 'd' && letter != 'm' && letter != 'y') {
            text.Append(c);
            ++at;
            continue;
        }
        int run = 1;
        while (run < kLongestRun && FoldCase(pattern[at + run]) == letter)
            ++run;
        AppendRun(&text, date, letter, run);
        at += static_cast<size_t>(run);
    }
}
