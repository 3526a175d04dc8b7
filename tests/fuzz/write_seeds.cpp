// Writes the seed corpus: one input per kind of session a host runs, so that
// a campaign starts from every display type, clock mode and failure path
// rather than having to find them. Usage: chronyx-fuzz-seeds <directory>.
#include <cstdio>
#include <cstring>
#include <string>

#include "core/records.h"
#include "fixtures/edit_data_builder.h"
#include "tests/fuzz/fuzz_ops.h"
#include "tests/fuzz/seed.h"
#include "tests/fuzz/setter_bounds.h"

using namespace fuzz;

namespace {

EditData BaseEdit() {
    return fixture::EditDataBuilder(120, 100)
        .Border()
        .Dial()
        .HandColours(0x0000FF, 0x00FF00, 0xFF0000)
        .Colours(0x808080, 0x202020, 0x404040)
        .DialInset(31, 20)
        .Countdown(0, 2, 0)
        .Style(fixture::Group::kAnalog, "Regular")
        .Style(fixture::Group::kDigital, "Bold")
        .Style(fixture::Group::kCalendar, "Italic")
        .Font(fixture::Group::kDigital, 12, "Sans");
}

Seed Start(const EditData& e, int x = 10, int y = 20) {
    Seed s;
    const uint8_t* p = reinterpret_cast<const uint8_t*>(&e);
    s.bytes.assign(p, p + sizeof e);
    s.U16(x);
    s.U16(y);
    return s;
}

// The analog face for the local time and the timer, its points read back.
Seed AnalogFace(int) {
    Seed s = Start(BaseEdit());
    s.Create(0, kDisplayAnalog, kModeTime);
    s.Create(1, kDisplayAnalog, kModeChronometer);
    s.Routine(kOpAction, 1, 9, 0);
    s.Frames(90, 17);
    for (int i = 9; i <= 16; ++i)
        s.Routine(kOpExpression, 0, i, 0);
    s.U8(kOpDisplayOrigin);
    s.U16(5);
    s.U16(7);
    s.Simple(kOpDisplay, 0);
    s.U8(kOpTextExtent);
    s.U8(200);
    s.U8(90);
    s.Simple(kOpDisplay, 1);
    return s;
}

// Roman numerals, no numerals, hands off, a face too small for a radius.
Seed SmallRomanFace(int) {
    EditData e = BaseEdit();
    e.settings.analogNumerals = kNumeralsRoman;
    e.settings.hourHand = 0;
    e.width = 3;
    e.height = 2;
    Seed s = Start(e);
    s.Create(0, kDisplayAnalog, kModeCountdown);
    s.Frames(30, 40);
    s.U8(kOpFailures);
    s.U8(4); // no Windows font from the host
    s.Simple(kOpDisplay, 0);
    return s;
}

// The four digital layouts with long, empty and absent designators.
Seed DigitalLayout(int layout) {
    EditData e = BaseEdit();
    e.settings.digitalFormat = static_cast<int16_t>(layout);
    Seed s = Start(e);
    s.Profile(0, std::string(39, 'A'));
    s.Profile(1, "");
    s.Create(0, kDisplayDigital, kModeTime);
    s.Create(1, kDisplayDigital, kModeChronometer);
    s.Create(2, kDisplayDigital, kModeCountdown);
    s.Routine(kOpAction, 2, 15, 0);
    s.Frames(120, 17);
    s.SetClock(2026, 3, 5, 13, 27, 18, 0);
    s.Frames(24, 17);
    return s;
}

// The calendar from the profile's formats.
Seed CalendarFormat(int format) {
    EditData e = BaseEdit();
    e.settings.calendarFormat = static_cast<int16_t>(format);
    Seed s = Start(e);
    s.Profile(2, "dddd, MMMM dd, yyyy \"day\" ddddd");
    s.Profile(3, "mmmm mmmm mmmm \"unclosed");
    s.Create(0, kDisplayCalendar, kModeTime);
    s.U8(kOpHostHeader);
    s.U8(0);
    s.U8(2);
    s.U16(400);
    s.NewYearsEve(2027, 500);
    s.Frames(60, 17);
    s.LeapDay(2028, 29, 300);
    s.Frames(60, 17);
    return s;
}

// Every built-in calendar pattern, and one that does not exist.
Seed CalendarPattern(int pattern) {
    EditData e = BaseEdit();
    e.settings.calendarFormat = 2;
    e.settings.calendarPattern = static_cast<int16_t>(pattern == 7 ? 40 : pattern);
    Seed s = Start(e);
    s.Create(0, kDisplayCalendar, kModeTime);
    s.Frames(13, 17);
    s.Simple(kOpDisplay, 0);
    return s;
}

// The shared timer through every action, clock jumps and a pause.
Seed SharedTimer(int) {
    Seed s = Start(BaseEdit());
    s.Create(0, kDisplayDigital, kModeChronometer);
    s.Create(1, kDisplayDigital, kModeCountdown);
    s.Routine(kOpAction, 0, 9, 0);
    s.Routine(kOpAction, 1, 14, 60000);
    s.Routine(kOpAction, 1, 15, 0);
    s.Frames(100, 17);
    s.Clock(kClockWinterTime);
    s.Frames(30, 17);
    s.Clock(kClockSummerTime);
    s.Frames(30, 17);
    s.Simple(kOpPause, 0);
    s.Simple(kOpPause, 1);
    s.Clock(kClockJump);
    s.U32(3600000);
    s.Simple(kOpContinue, 0);
    s.Simple(kOpContinue, 1);
    s.Frames(30, 17);
    for (int c : {0, 7})
        for (int slot : {0, 1})
            s.Routine(kOpCondition, slot, c, 0, 0);
    s.Routine(kOpExpression, 0, 8, 0);
    s.Routine(kOpExpression, 1, 17, 0);
    s.Routine(kOpAction, 0, 10, 0);
    s.Routine(kOpAction, 1, 16, 0);
    s.Routine(kOpAction, 0, 8, 0);
    s.Routine(kOpAction, 1, 14, -15);
    s.Simple(kOpReInit, 0);
    return s;
}

// Every clock setter just inside and just outside its bounds.
Seed ClockSetters(int) {
    Seed s = Start(BaseEdit());
    s.Create(0, kDisplayInvisible, kModeTime);
    for (int i = 0; i < kClockSetters; ++i) {
        const Bounds& b = kSetterBounds[i];
        for (int v : {b.low - 1, b.low, b.high, b.high + 1}) {
            s.Routine(kOpAction, 0, i, v);
            s.Frames(12, 17);
        }
    }
    return s;
}

// Visibility and geometry actions, and the expressions that read them.
Seed VisibilityGeometry(int) {
    Seed s = Start(BaseEdit());
    s.Create(0, kDisplayAnalog, kModeTime);
    s.Routine(kOpAction, 0, 12, 0);
    s.Simple(kOpDisplay, 0);
    s.Routine(kOpAction, 0, 12, 0);
    s.Routine(kOpAction, 0, 11, 0);
    s.Routine(kOpAction, 0, 13, 100 * 65536 + 0xFFFF);
    for (int i = 17; i <= 20; ++i)
        s.Routine(kOpAction, 0, i, -1);
    for (int i = 0; i < 22; ++i)
        s.Routine(kOpExpression, 0, i, 0);
    s.Routine(kOpCondition, 0, 8, 0, 0);
    s.Simple(kOpDisplay, 0);
    return s;
}

// Creation failing at the allocation and at the font, then destroyed.
Seed CreationFailures(int) {
    Seed s = Start(BaseEdit());
    s.U8(kOpCreate);
    s.U8(0);
    s.U8(kCreateSetType | kCreateFailAlloc);
    s.U8(kDisplayDigital);
    s.U8(kOpCreate);
    s.U8(1);
    s.U8(kCreateSetType | kCreateFailFont);
    s.U8(kDisplayCalendar);
    s.Create(2, kDisplayInvisible, kModeTime);
    s.Simple(kOpDestroy, 0);
    s.Simple(kOpDestroy, 1);
    s.Create(0, kDisplayAnalog, kModeTime);
    s.Frames(24, 17);
    s.Simple(kOpDestroy, 0);
    return s;
}

// Event counters past 16 bits, and the flag that makes events true.
Seed EventCounters(int) {
    Seed s = Start(BaseEdit());
    s.Create(0, kDisplayDigital, kModeTime);
    s.Create(1, kDisplayCalendar, kModeTime);
    for (uint32_t count : {40000u, 65536u + 5u, 0xFFFFFFFFu}) {
        s.U8(kOpEventCount);
        s.U8(0);
        s.U32(count);
        s.Frames(13, 100);
        for (int c = 1; c <= 6; ++c)
            s.Routine(kOpCondition, 0, c, 0, 0);
    }
    s.U8(kOpHostHeader);
    s.U8(1);
    s.U8(4);
    s.U16(2);
    s.Routine(kOpCondition, 1, 4, 0, 0);
    return s;
}

// Style texts that fill their fields with no NUL at all.
Seed StyleWithoutNul(int) {
    EditData e = BaseEdit();
    std::memset(e.settings.analogFontStyle, 'S', sizeof e.settings.analogFontStyle);
    std::memset(e.settings.digitalFontStyle, 'T', sizeof e.settings.digitalFontStyle);
    std::memset(e.settings.calendarFontStyle, 'U', sizeof e.settings.calendarFontStyle);
    Seed s = Start(e);
    s.Create(0, kDisplayAnalog, kModeTime);
    s.Create(1, kDisplayDigital, kModeTime);
    s.Create(2, kDisplayCalendar, kModeTime);
    s.Frames(13, 17);
    return s;
}

// Every editor entry point.
Seed EditorEntryPoints(int) {
    Seed s = Start(BaseEdit());
    for (int i = 0; i < 45; ++i) {
        s.U8(kOpEditorEntry);
        s.U8(i);
        for (int k = 0; k < 7; ++k)
            s.U32(i == 42 && k == 0 ? 0 : 0x1000u * static_cast<uint32_t>(k + 1));
    }
    return s;
}

// Wild stored values: sizes, insets, countdown parts and formats.
Seed WildSettings(int) {
    EditData e = BaseEdit();
    e.width = -32768;
    e.height = 32767;
    e.dialInsetX = -32768;
    e.dialInsetY = 32767;
    e.countdownHours = 32767;
    e.countdownMinutes = -32768;
    e.countdownSeconds = 32767;
    e.settings.digitalFormat = -1;
    e.settings.calendarFormat = 7;
    e.settings.analogNumerals = 3;
    Seed s = Start(e, -32768, 32767);
    s.Create(0, kDisplayAnalog, kModeCountdown);
    s.Create(1, kDisplayDigital, kModeCountdown);
    s.Create(2, kDisplayCalendar, kModeTime);
    s.Routine(kOpAction, 0, 9, 0);
    s.Frames(40, 250);
    s.U8(kOpDisplayOrigin);
    s.U16(0x8000);
    s.U16(0x7FFF);
    s.Simple(kOpDisplay, 0);
    s.Routine(kOpExpression, 0, 9, 0);
    s.Routine(kOpExpression, 0, 17, 0);
    return s;
}

struct KeptSeeds {
    const char* name;
    int count; // more than one: name_0, name_1, ..., each made from its number
    Seed (*make)(int i);
};

const KeptSeeds kKept[] = {
    {"analog_face", 1, AnalogFace},
    {"analog_small_roman", 1, SmallRomanFace},
    {"digital_layout", 4, DigitalLayout},
    {"calendar_format", 3, CalendarFormat},
    {"calendar_pattern", 8, CalendarPattern},
    {"shared_timer", 1, SharedTimer},
    {"clock_setters", 1, ClockSetters},
    {"visibility_geometry", 1, VisibilityGeometry},
    {"creation_failures", 1, CreationFailures},
    {"event_counters", 1, EventCounters},
    {"style_without_nul", 1, StyleWithoutNul},
    {"editor_entry_points", 1, EditorEntryPoints},
    {"wild_settings", 1, WildSettings},
};

void Write(const std::string& path, const Seed& s) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) {
        std::perror(path.c_str());
        return;
    }
    std::fwrite(s.bytes.data(), 1, s.bytes.size(), f);
    std::fclose(f);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <directory>\n", argv[0]);
        return 2;
    }
    const std::string dir = argv[1];
    for (const KeptSeeds& kept : kKept) {
        for (int i = 0; i < kept.count; ++i) {
            std::string path = dir + "/" + kept.name;
            if (kept.count > 1) path += "_" + std::to_string(i);
            Write(path, kept.make(i));
        }
    }
    return 0;
}
