// Writes the seed corpus: one input per kind of session a host runs, so that
// a campaign starts from every display type, clock mode and failure path
// rather than having to find them. Usage: chronyx-fuzz-seeds <directory>.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "core/records.h"
#include "fixtures/edit_data_builder.h"
#include "tests/fuzz/fuzz_ops.h"

using namespace fuzz;

namespace {

struct Seed {
    std::vector<uint8_t> bytes;

    void U8(int v) { bytes.push_back(static_cast<uint8_t>(v)); }
    void U16(int v) {
        U8(v & 0xFF);
        U8((v >> 8) & 0xFF);
    }
    void U32(uint32_t v) {
        U16(static_cast<int>(v & 0xFFFF));
        U16(static_cast<int>(v >> 16));
    }
    void Param(int32_t v) {
        if (v >= -8 && v <= 55) {
            U8(v + 8);
        } else if (v >= 1970 && v <= 2033) {
            U8(0x40 + v - 1970);
        } else {
            U8(kParamRaw);
            U32(static_cast<uint32_t>(v));
        }
    }

    void Create(int slot, int type, int mode) {
        U8(kOpCreate);
        U8(slot);
        U8(kCreateSetType | kCreateSetMode);
        U8(type);
        U8(mode);
    }
    void CreateAsStored(int slot, int how = 0) {
        U8(kOpCreate);
        U8(slot);
        U8(how);
    }
    void Frames(int count, int ms, int mask = 0) {
        U8(kOpFrames);
        U8(mask);
        U8(count);
        U8(ms);
    }
    void Routine(Op op, int slot, int index, int32_t p1, int32_t p2 = 0) {
        U8(op);
        U8(slot);
        U8(index);
        Param(p1);
        if (op != kOpExpression) Param(p2);
    }
    void Clock(ClockKind kind) {
        U8(kOpClock);
        U8(kind);
    }
    void NewYearsEve(int year, int msBefore) {
        Clock(kClockNewYearsEve);
        U8(year - 1980);
        U16(msBefore);
    }
    void LeapDay(int year, int day, int msBefore) {
        Clock(kClockLeapDay);
        U8((year - 1980) / 4);
        U8(day - 28);
        U16(msBefore);
    }
    void Profile(int key, const std::string& value) {
        U8(kOpProfile);
        U8(key);
        U8(static_cast<int>(value.size()));
        for (char c : value)
            U8(c);
    }
    void Simple(Op op, int slot) {
        U8(op);
        U8(slot);
    }
};

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

void Write(const std::string& dir, const char* name, const Seed& s) {
    std::string path = dir + "/" + name;
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) {
        std::perror(path.c_str());
        return;
    }
    std::fwrite(s.bytes.data(), 1, s.bytes.size(), f);
    std::fclose(f);
}

// The analog face for the local time and the timer, its points read back.
void WriteAnalogFaceSeed(const std::string& dir) {
    EditData e = BaseEdit();
    Seed s = Start(e);
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
    Write(dir, "analog_face", s);
}

// Roman numerals, no numerals, hands off, a face too small for a radius.
void WriteSmallRomanFaceSeed(const std::string& dir) {
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
    Write(dir, "analog_small_roman", s);
}

// The four digital layouts with long, empty and absent designators.
void WriteDigitalLayoutSeeds(const std::string& dir) {
    EditData e = BaseEdit();
    for (int layout = 0; layout < 4; ++layout) {
        e.settings.digitalFormat = static_cast<int16_t>(layout);
        Seed s = Start(e);
        s.Profile(0, std::string(39, 'A'));
        s.Profile(1, "");
        s.Create(0, kDisplayDigital, kModeTime);
        s.Create(1, kDisplayDigital, kModeChronometer);
        s.Create(2, kDisplayDigital, kModeCountdown);
        s.Routine(kOpAction, 2, 15, 0);
        s.Frames(120, 17);
        s.U8(kOpClock);
        s.U8(kClockSet);
        s.U16(2026 - 1601);
        s.U8(2);
        s.U8(4);
        s.U8(13);
        s.U8(27);
        s.U8(18);
        s.U16(0);
        s.Frames(24, 17);
        std::string name = "digital_layout_" + std::to_string(layout);
        Write(dir, name.c_str(), s);
    }
}

// The calendar from the profile's formats and every built-in pattern.
void WriteCalendarSeeds(const std::string& dir) {
    EditData e = BaseEdit();
    for (int format = 0; format < 3; ++format) {
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
        std::string name = "calendar_format_" + std::to_string(format);
        Write(dir, name.c_str(), s);
    }
    for (int pattern = 0; pattern < 8; ++pattern) {
        e.settings.calendarFormat = 2;
        e.settings.calendarPattern = static_cast<int16_t>(pattern == 7 ? 40 : pattern);
        Seed s = Start(e);
        s.Create(0, kDisplayCalendar, kModeTime);
        s.Frames(13, 17);
        s.Simple(kOpDisplay, 0);
        std::string name = "calendar_pattern_" + std::to_string(pattern);
        Write(dir, name.c_str(), s);
    }
}

// The shared timer through every action, clock jumps and a pause.
void WriteSharedTimerSeed(const std::string& dir) {
    EditData e = BaseEdit();
    Seed s = Start(e);
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
    Write(dir, "shared_timer", s);
}

// Every clock setter just inside and just outside its bounds.
void WriteClockSetterSeed(const std::string& dir) {
    EditData e = BaseEdit();
    Seed s = Start(e);
    s.Create(0, kDisplayInvisible, kModeTime);
    const int bounds[8][2] = {{0, 99}, {0, 59}, {0, 59}, {0, 23},
                              {0, 6},  {1, 31}, {1, 12}, {1980, 2099}};
    for (int i = 0; i < 8; ++i) {
        for (int v : {bounds[i][0] - 1, bounds[i][0], bounds[i][1], bounds[i][1] + 1}) {
            s.Routine(kOpAction, 0, i, v);
            s.Frames(12, 17);
        }
    }
    Write(dir, "clock_setters", s);
}

// Visibility and geometry actions, and the expressions that read them.
void WriteVisibilitySeed(const std::string& dir) {
    EditData e = BaseEdit();
    Seed s = Start(e);
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
    Write(dir, "visibility_geometry", s);
}

// Creation failing at the allocation and at the font, then destroyed.
void WriteCreationFailureSeed(const std::string& dir) {
    EditData e = BaseEdit();
    Seed s = Start(e);
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
    Write(dir, "creation_failures", s);
}

// Event counters past 16 bits, and the flag that makes events true.
void WriteEventCounterSeed(const std::string& dir) {
    EditData e = BaseEdit();
    Seed s = Start(e);
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
    Write(dir, "event_counters", s);
}

// Style texts that fill their fields with no NUL at all.
void WriteStyleWithoutNulSeed(const std::string& dir) {
    EditData e = BaseEdit();
    std::memset(e.settings.analogFontStyle, 'S', sizeof e.settings.analogFontStyle);
    std::memset(e.settings.digitalFontStyle, 'T', sizeof e.settings.digitalFontStyle);
    std::memset(e.settings.calendarFontStyle, 'U', sizeof e.settings.calendarFontStyle);
    Seed s = Start(e);
    s.Create(0, kDisplayAnalog, kModeTime);
    s.Create(1, kDisplayDigital, kModeTime);
    s.Create(2, kDisplayCalendar, kModeTime);
    s.Frames(13, 17);
    Write(dir, "style_without_nul", s);
}

// Every editor entry point.
void WriteEditorEntrySeed(const std::string& dir) {
    EditData e = BaseEdit();
    Seed s = Start(e);
    for (int i = 0; i < 45; ++i) {
        s.U8(kOpEditorEntry);
        s.U8(i);
        for (int k = 0; k < 7; ++k)
            s.U32(i == 42 && k == 0 ? 0 : 0x1000u * static_cast<uint32_t>(k + 1));
    }
    Write(dir, "editor_entry_points", s);
}

// Wild stored values: sizes, insets, countdown parts and formats.
void WriteWildSettingsSeed(const std::string& dir) {
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
    Write(dir, "wild_settings", s);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <directory>\n", argv[0]);
        return 2;
    }
    const std::string dir = argv[1];
    WriteAnalogFaceSeed(dir);
    WriteSmallRomanFaceSeed(dir);
    WriteDigitalLayoutSeeds(dir);
    WriteCalendarSeeds(dir);
    WriteSharedTimerSeed(dir);
    WriteClockSetterSeed(dir);
    WriteVisibilitySeed(dir);
    WriteCreationFailureSeed(dir);
    WriteEventCounterSeed(dir);
    WriteStyleWithoutNulSeed(dir);
    WriteEditorEntrySeed(dir);
    WriteWildSettingsSeed(dir);
    return 0;
}
