// The bare platform calls of a draw and of a sample, with their arguments
// ready: the floors the module's own work is timed against, natively over the
// simulated machine and by chronyx-bench-host under Windows. Each makes the
// graphics, host, profile and string calls of the module call it stands
// beside, in the same order, and none of the module's own work.
#pragma once

#include <cstdint>

#include "contract/edit_data.h"
#include "winapi/windows_api.h"

namespace bare {

// Where a bare draw draws and with what: the object's rectangle and font, and
// the module whose string table it reads.
struct Target {
    HostSurface* surface;
    HostFontBank* fonts;
    uint16_t font;
    HINSTANCE module;
    RECT rect;
};

// What one digital draw asks of the platform.
struct Digital {
    int clockReads; // 2 when the text is the shared timer's
    int designator; // 0 none, 1 the morning's, 2 the afternoon's
    bool seconds;   // hh:mm:ss rather than hh:mm
    bool frame;     // the border
    unsigned hour, minute, second;
};

// What one calendar draw asks of the platform: its pattern, from the profile
// or the string table, and the names that pattern asks for.
struct Calendar {
    int16_t format;  // as calendarFormat: 0 short date, 1 long date, 2 built-in pattern
    int16_t pattern; // as calendarPattern
    int weekday;     // 0..6, or -1 when the pattern names no day
    int month;       // 1..12, or 0 when it names no month
};

// The analog face's geometry and numerals, worked out once.
struct Dial {
    RECT face;
    POINT centre;
    POINT tips[3];
    POINT markInner[12];
    POINT markOuter[12];
    bool numerals;
    bool arabic;
    char numeral[12][8];
    int numeralLength[12];
    RECT numeralRect[12];
    RECT circle;
};

// The hands at 10:15:42 in a face of this rectangle.
Dial DialIn(const RECT& face, int16_t numerals);

void ReadClock();
// What a sample cannot avoid: the time count now is two clock reads.
void ReadClockTwice();
// One name from the module's string table, into a buffer of the module's size.
void LoadName(HINSTANCE module, unsigned id);

void DigitalCalls(const Target& target, const ObjectSettings& settings, const Digital& draw);
void CalendarCalls(const Target& target, const ObjectSettings& settings, const Calendar& draw);
void AnalogCalls(const Target& target, const ObjectSettings& settings, const Dial& dial);

} // namespace bare
