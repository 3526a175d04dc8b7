// The two records of one Clock object: the edit data, stored with the game
// and read-only here, and the run data, the object's working record behind
// the host's object header. Both are packed: their layouts are interfaces.
#pragma once

#include <cstddef>
#include <cstdint>

#include "module/host_services.h"

constexpr int16_t kDisplayAnalog = 0;
constexpr int16_t kDisplayDigital = 1;
constexpr int16_t kDisplayInvisible = 2;
constexpr int16_t kDisplayCalendar = 3;

constexpr int16_t kModeTime = 0;
constexpr int16_t kModeChronometer = 1;
constexpr int16_t kModeCountdown = 2;

constexpr int16_t kNumeralsArabic = 0;
constexpr int16_t kNumeralsRoman = 1;
constexpr int16_t kNumeralsNone = 2;

constexpr size_t kStyleTextSize = 40;

#pragma pack(push, 1)

struct EditData {
    uint8_t hostHeader0[8];
    int16_t width;
    int16_t height;
    uint8_t hostHeader12[64];
    int16_t displayType;
    int16_t clockMode;
    int16_t border;
    int16_t analogMarks;
    int16_t analogNumerals;
    FontDescription analogFont;
    uint32_t analogColor;
    char analogFontStyle[kStyleTextSize];
    int16_t secondHand;
    uint32_t secondHandColor;
    int16_t minuteHand;
    uint32_t minuteHandColor;
    int16_t hourHand;
    uint32_t hourHandColor;
    int16_t digitalFormat;
    FontDescription digitalFont;
    uint32_t digitalColor;
    char digitalFontStyle[kStyleTextSize];
    int16_t calendarFormat;
    int16_t calendarPattern;
    uint8_t spare298[40];
    FontDescription calendarFont;
    uint32_t calendarColor;
    char calendarFontStyle[kStyleTextSize];
    int16_t countdownHours;
    int16_t countdownMinutes;
    int16_t countdownSeconds;
    int16_t dialInsetX;
    int16_t dialInsetY;
    uint8_t spare442[6];
};

// The host's creation record; the module reads only these two fields.
struct CreationRecord {
    uint8_t hostFields[8];
    int16_t x;
    int16_t y;
};

struct RunData {
    ObjectHeader header;
    int16_t triggerEventCount;
    int16_t displayType;
    int16_t clockMode;
    int16_t border;
    int16_t analogMarks;
    int16_t analogNumerals;
    FontDescription analogFont;
    uint32_t analogColor;
    char analogFontStyle[kStyleTextSize];
    int16_t secondHand;
    uint32_t secondHandColor;
    int16_t minuteHand;
    uint32_t minuteHandColor;
    int16_t hourHand;
    uint32_t hourHandColor;
    int16_t digitalFormat;
    FontDescription digitalFont;
    uint32_t digitalColor;
    char digitalFontStyle[kStyleTextSize];
    int16_t calendarFormat;
    int16_t calendarPattern;
    uint8_t spare[40];
    FontDescription calendarFont;
    uint32_t calendarColor;
    char calendarFontStyle[kStyleTextSize];
    int16_t paused;
    double chronoStart; // time count of the last start; 0 = stopped
    int32_t chronoElapsed;
    int16_t lastSecond;
    int16_t lastMinute;
    int16_t lastHour;
    int16_t lastDay;
    int16_t lastMonth;
    int16_t lastYear;
    int16_t centreY;
    int16_t centreX;
    int16_t hourHandEndX;
    int16_t hourHandEndY;
    int16_t minuteHandEndX;
    int16_t minuteHandEndY;
    int16_t secondHandEndX;
    int16_t secondHandEndY;
    int16_t visible;
    int16_t fontHandle;
    int16_t frameCounter;
    int16_t dialInsetX;
    int16_t dialInsetY;
    int32_t countdownStart;
    int16_t firstHandle;
    double lastTimeCount;
};

#pragma pack(pop)

static_assert(sizeof(EditData) == kEditDataSize);
static_assert(sizeof(RunData) == kRunDataSize);
static_assert(offsetof(CreationRecord, x) == 8);
static_assert(offsetof(CreationRecord, y) == 10);

static_assert(offsetof(EditData, width) == 8);
static_assert(offsetof(EditData, height) == 10);
static_assert(offsetof(EditData, displayType) == 76);
static_assert(offsetof(EditData, clockMode) == 78);
static_assert(offsetof(EditData, border) == 80);
static_assert(offsetof(EditData, analogMarks) == 82);
static_assert(offsetof(EditData, analogNumerals) == 84);
static_assert(offsetof(EditData, analogFont) == 86);
static_assert(offsetof(EditData, analogColor) == 136);
static_assert(offsetof(EditData, analogFontStyle) == 140);
static_assert(offsetof(EditData, secondHand) == 180);
static_assert(offsetof(EditData, secondHandColor) == 182);
static_assert(offsetof(EditData, minuteHand) == 186);
static_assert(offsetof(EditData, minuteHandColor) == 188);
static_assert(offsetof(EditData, hourHand) == 192);
static_assert(offsetof(EditData, hourHandColor) == 194);
static_assert(offsetof(EditData, digitalFormat) == 198);
static_assert(offsetof(EditData, digitalFont) == 200);
static_assert(offsetof(EditData, digitalColor) == 250);
static_assert(offsetof(EditData, digitalFontStyle) == 254);
static_assert(offsetof(EditData, calendarFormat) == 294);
static_assert(offsetof(EditData, calendarPattern) == 296);
static_assert(offsetof(EditData, spare298) == 298);
static_assert(offsetof(EditData, calendarFont) == 338);
static_assert(offsetof(EditData, calendarColor) == 388);
static_assert(offsetof(EditData, calendarFontStyle) == 392);
static_assert(offsetof(EditData, countdownHours) == 432);
static_assert(offsetof(EditData, countdownMinutes) == 434);
static_assert(offsetof(EditData, countdownSeconds) == 436);
static_assert(offsetof(EditData, dialInsetX) == 438);
static_assert(offsetof(EditData, dialInsetY) == 440);
static_assert(offsetof(EditData, spare442) == 442);

// The module's own fields start right after the object header; their layout is
// the module's, so they are asserted in every build.
static_assert(offsetof(RunData, triggerEventCount) == 320);
static_assert(offsetof(RunData, analogFont) == 332);
static_assert(offsetof(RunData, analogFontStyle) == 386);
static_assert(offsetof(RunData, digitalFont) == 446);
static_assert(offsetof(RunData, calendarPattern) == 542);
static_assert(offsetof(RunData, spare) == 544);
static_assert(offsetof(RunData, calendarFont) == 584);
static_assert(offsetof(RunData, calendarFontStyle) == 638);
static_assert(offsetof(RunData, paused) == 678);
static_assert(offsetof(RunData, chronoStart) == 680);
static_assert(offsetof(RunData, chronoElapsed) == 688);
static_assert(offsetof(RunData, lastSecond) == 692);
static_assert(offsetof(RunData, lastYear) == 702);
static_assert(offsetof(RunData, centreY) == 704);
static_assert(offsetof(RunData, centreX) == 706);
static_assert(offsetof(RunData, secondHandEndY) == 718);
static_assert(offsetof(RunData, visible) == 720);
static_assert(offsetof(RunData, fontHandle) == 722);
static_assert(offsetof(RunData, frameCounter) == 724);
static_assert(offsetof(RunData, dialInsetX) == 726);
static_assert(offsetof(RunData, countdownStart) == 730);
static_assert(offsetof(RunData, firstHandle) == 734);
static_assert(offsetof(RunData, lastTimeCount) == 736);

inline RunHeader* RunHeaderOf(const RunData* run) {
    return run->header.runHeader;
}
