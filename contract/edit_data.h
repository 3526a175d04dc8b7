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

#pragma pack(pop)

static_assert(sizeof(EditData) == kEditDataSize);
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
