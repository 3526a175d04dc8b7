// Drawing one Clock object: the analog face, the digital time text and the
// calendar text. In the module DisplayRunObject (contract/entry_points.h)
// calls them; the native tests and the benchmarks call them directly too.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/records.h"

// Every finished line of text lives in a buffer of this size: at most 39
// characters and the terminating zero.
constexpr size_t kTextBufferSize = 40;

// Draws hands, marks, numerals and circle inside the face rectangle and leaves
// the centre and the tips of the drawn hands in the run data. Hour, minute and
// second are used as they come; nothing checks their ranges.
void DrawAnalogFace(RunData* run, int16_t hour, int16_t minute, int16_t second, const RECT* face);

// One centred line of text in the object rectangle, with a frame when border
// is 1. Nothing at all is drawn when the host has no Windows font.
void DrawDigitalText(RunData* run, const char* text, const RECT* rect);
// As DrawDigitalText, in calendarColor and never framed.
void DrawCalendarText(RunData* run, const char* text, const RECT* rect);

// Expands a date pattern (runs of d, m, y; double-quoted literals) into out,
// which holds capacity bytes; the text is cut to capacity - 1 characters.
void FormatCalendarText(int32_t year, int16_t month, int16_t day, int16_t weekday,
                        const char* pattern, char* out, size_t capacity);

// The line of digital text the object shows now, from the local clock or the
// shared timer. False, with out left empty, for a layout outside 0..3.
bool FormatDigitalText(const RunData* run, char* out, size_t capacity);

// The line of calendar text the object shows now. False, with out left empty,
// for a calendarFormat outside 0..2.
bool FormatCalendarLine(const RunData* run, char* out, size_t capacity);

// The time shown in place of the local time: hours, minutes within the hour
// and seconds within the minute of the chronometer or the countdown.
struct TimerReading {
    uint16_t hours;
    uint16_t minutes;
    uint16_t seconds;
};
TimerReading ReadDisplayedTimer(const RunData* run);
TimerReading SplitHundredths(int32_t hundredths);

// Takes 12 from an hour count above 11; the layouts apply it once, twice or not.
constexpr uint16_t FoldHour(uint16_t hour) {
    return hour > 11 ? static_cast<uint16_t>(hour - 12) : hour;
}
