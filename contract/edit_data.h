// The edit data, the settings of one Clock object that the game's author made
// and the host stores with the game, and the host's creation record: what a
// host builds and hands to CreateRunObject. The module only reads them. Both
// are packed; their layouts are the stored format.
#pragma once

#include <cstddef>
#include <cstdint>

#include "contract/host_services.h"

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

// The settings of one object as its author made them: the same block, in the
// same order, in the edit data and in the run data.
struct ObjectSettings {
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
    uint8_t spare[40]; // never read or written
    FontDescription calendarFont;
    uint32_t calendarColor;
    char calendarFontStyle[kStyleTextSize];
};

struct EditData {
    uint8_t hostHeader0[8];
    int16_t width;
    int16_t height;
    uint8_t hostHeader12[64];
    ObjectSettings settings;
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

#pragma pack(pop)

static_assert(sizeof(EditData) == kEditDataSize);
static_assert(offsetof(CreationRecord, x) == 8);
static_assert(offsetof(CreationRecord, y) == 10);

static_assert(offsetof(EditData, width) == 8);
static_assert(offsetof(EditData, height) == 10);
static_assert(offsetof(EditData, settings) == 76);
static_assert(sizeof(ObjectSettings) == 356);
static_assert(offsetof(ObjectSettings, displayType) == 0);
static_assert(offsetof(ObjectSettings, clockMode) == 2);           // 78 in the edit data
static_assert(offsetof(ObjectSettings, border) == 4);              // 80 in the edit data
static_assert(offsetof(ObjectSettings, analogMarks) == 6);         // 82 in the edit data
static_assert(offsetof(ObjectSettings, analogNumerals) == 8);      // 84 in the edit data
static_assert(offsetof(ObjectSettings, analogFont) == 10);         // 86 in the edit data
static_assert(offsetof(ObjectSettings, analogColor) == 60);        // 136 in the edit data
static_assert(offsetof(ObjectSettings, analogFontStyle) == 64);    // 140 in the edit data
static_assert(offsetof(ObjectSettings, secondHand) == 104);        // 180 in the edit data
static_assert(offsetof(ObjectSettings, secondHandColor) == 106);   // 182 in the edit data
static_assert(offsetof(ObjectSettings, minuteHand) == 110);        // 186 in the edit data
static_assert(offsetof(ObjectSettings, minuteHandColor) == 112);   // 188 in the edit data
static_assert(offsetof(ObjectSettings, hourHand) == 116);          // 192 in the edit data
static_assert(offsetof(ObjectSettings, hourHandColor) == 118);     // 194 in the edit data
static_assert(offsetof(ObjectSettings, digitalFormat) == 122);     // 198 in the edit data
static_assert(offsetof(ObjectSettings, digitalFont) == 124);       // 200 in the edit data
static_assert(offsetof(ObjectSettings, digitalColor) == 174);      // 250 in the edit data
static_assert(offsetof(ObjectSettings, digitalFontStyle) == 178);  // 254 in the edit data
static_assert(offsetof(ObjectSettings, calendarFormat) == 218);    // 294 in the edit data
static_assert(offsetof(ObjectSettings, calendarPattern) == 220);   // 296 in the edit data
static_assert(offsetof(ObjectSettings, spare) == 222);             // 298 in the edit data
static_assert(offsetof(ObjectSettings, calendarFont) == 262);      // 338 in the edit data
static_assert(offsetof(ObjectSettings, calendarColor) == 312);     // 388 in the edit data
static_assert(offsetof(ObjectSettings, calendarFontStyle) == 316); // 392 in the edit data
static_assert(offsetof(EditData, countdownHours) == 432);
static_assert(offsetof(EditData, countdownMinutes) == 434);
static_assert(offsetof(EditData, countdownSeconds) == 436);
static_assert(offsetof(EditData, dialInsetX) == 438);
static_assert(offsetof(EditData, dialInsetY) == 440);
static_assert(offsetof(EditData, spare442) == 442);
