// Reads a scenario from JSON. Every setting has a readable form ("digital",
// "#ff8000", "1:30:00") and a raw number, so that stored values outside the
// documented ones can still be handed to the module. Anything the host cannot
// make sense of is refused with the JSON path where it was found.
#include "host/chronyx_host/scenario.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <limits>

#include <nlohmann/json.hpp>

#include "host/chronyx_host/routine_names.h"
#include "platform/civil_calendar.h"

namespace {

using nlohmann::json;

struct Refusal {
    ScenarioError error;
};

[[noreturn]] void Refuse(const std::string& where, const std::string& message) {
    throw Refusal{ScenarioError{where, message}};
}

std::string Key(const std::string& path, const char* key) {
    return path.empty() ? std::string(key) : path + "." + key;
}

std::string Item(const std::string& path, size_t index) {
    return path + "[" + std::to_string(index) + "]";
}

const char* TypeName(const json& value) {
    switch (value.type()) {
    case json::value_t::object:
        return "an object";
    case json::value_t::array:
        return "an array";
    case json::value_t::string:
        return "a string";
    case json::value_t::boolean:
        return "a boolean";
    case json::value_t::number_float:
        return "a fraction";
    case json::value_t::number_integer:
    case json::value_t::number_unsigned:
        return "an integer";
    default:
        return "null";
    }
}

[[noreturn]] void RefuseType(const json& value, const std::string& path, const char* expected) {
    Refuse(path, std::string("expected ") + expected + ", got " + TypeName(value));
}

void ExpectKeys(const json& value, const std::string& path,
                std::initializer_list<const char*> allowed) {
    if (!value.is_object()) RefuseType(value, path.empty() ? "$" : path, "an object");
    for (auto it = value.begin(); it != value.end(); ++it) {
        bool known = false;
        for (const char* key : allowed)
            if (it.key() == key) known = true;
        if (!known) Refuse(Key(path, it.key().c_str()), "unknown key");
    }
}

const json* Find(const json& object, const char* key) {
    auto it = object.find(key);
    return it == object.end() ? nullptr : &*it;
}

void CheckRange(int64_t number, const std::string& path, int64_t low, int64_t high) {
    if (number < low || number > high)
        Refuse(path, std::to_string(number) + " is out of range (" + std::to_string(low) + " to " +
                         std::to_string(high) + ")");
}

int64_t ReadInteger(const json& value, const std::string& path, int64_t low, int64_t high) {
    int64_t number;
    if (value.is_number_unsigned()) {
        uint64_t u = value.get<uint64_t>();
        number = u > static_cast<uint64_t>(std::numeric_limits<int64_t>::max())
                     ? std::numeric_limits<int64_t>::max()
                     : static_cast<int64_t>(u);
    } else if (value.is_number_integer()) {
        number = value.get<int64_t>();
    } else {
        RefuseType(value, path, "an integer");
    }
    CheckRange(number, path, low, high);
    return number;
}

int16_t ReadI16(const json& value, const std::string& path) {
    return static_cast<int16_t>(ReadInteger(value, path, INT16_MIN, INT16_MAX));
}

const std::string& ReadString(const json& value, const std::string& path) {
    if (!value.is_string()) RefuseType(value, path, "a string");
    return value.get_ref<const std::string&>();
}

// A switch: true or false, or the raw stored number.
int16_t ReadSwitch(const json& value, const std::string& path) {
    if (value.is_boolean()) return value.get<bool>() ? 1 : 0;
    if (value.is_number_integer() || value.is_number_unsigned()) return ReadI16(value, path);
    RefuseType(value, path, "true, false or an integer");
}

// One of the names (its position is the stored value), or the raw number.
int16_t ReadChoice(const json& value, const std::string& path,
                   std::initializer_list<const char*> names) {
    if (value.is_number_integer() || value.is_number_unsigned()) return ReadI16(value, path);
    if (!value.is_string()) RefuseType(value, path, "a name or an integer");
    int16_t index = 0;
    std::string list;
    for (const char* name : names) {
        if (value.get_ref<const std::string&>() == name) return index;
        list += list.empty() ? "" : ", ";
        list += std::string("\"") + name + "\"";
        ++index;
    }
    Refuse(path,
           "unknown value \"" + value.get<std::string>() + "\" (one of " + list + ", or a number)");
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// "#rrggbb", stored as a Windows RGB value (red in the low byte), or raw.
uint32_t ReadColour(const json& value, const std::string& path) {
    if (value.is_number_integer() || value.is_number_unsigned())
        return static_cast<uint32_t>(ReadInteger(value, path, 0, UINT32_MAX));
    const std::string& text = ReadString(value, path);
    bool ok = text.size() == 7 && text[0] == '#';
    for (size_t i = 1; ok && i < 7; ++i)
        ok = HexDigit(text[i]) >= 0;
    if (!ok) Refuse(path, "expected a colour as \"#rrggbb\", got \"" + text + "\"");
    uint32_t red = HexDigit(text[1]) * 16 + HexDigit(text[2]);
    uint32_t green = HexDigit(text[3]) * 16 + HexDigit(text[4]);
    uint32_t blue = HexDigit(text[5]) * 16 + HexDigit(text[6]);
    return red | (green << 8) | (blue << 16);
}

void CopyText(char* to, size_t size, const std::string& text) {
    std::memset(to, 0, size);
    std::memcpy(to, text.data(), std::min(text.size(), size - 1));
}

struct FontDefaults {
    int32_t size;
};

void ReadFont(const json* value, const std::string& path, const FontDefaults& defaults,
              FontDescription* font, char* style, size_t styleSize) {
    std::memset(font, 0, sizeof(*font));
    font->height = -defaults.size;
    font->weight = 400;
    CopyText(font->faceName, sizeof(font->faceName), "Tahoma");
    CopyText(style, styleSize, "");
    if (!value) return;
    ExpectKeys(*value, path,
               {"face", "size", "height", "bold", "weight", "italic", "underline", "strikeOut",
                "charSet", "style"});
    if (const json* face = Find(*value, "face")) {
        const std::string& name = ReadString(*face, Key(path, "face"));
        if (name.empty() || name.size() > 31)
            Refuse(Key(path, "face"), "a face name has 1 to 31 characters");
        CopyText(font->faceName, sizeof(font->faceName), name);
    }
    if (const json* size = Find(*value, "size"))
        font->height = -static_cast<int32_t>(ReadInteger(*size, Key(path, "size"), 1, 1000));
    if (const json* height = Find(*value, "height"))
        font->height =
            static_cast<int32_t>(ReadInteger(*height, Key(path, "height"), INT32_MIN, INT32_MAX));
    if (const json* bold = Find(*value, "bold")) {
        if (!bold->is_boolean()) RefuseType(*bold, Key(path, "bold"), "true or false");
        font->weight = bold->get<bool>() ? 700 : 400;
    }
    if (const json* weight = Find(*value, "weight"))
        font->weight =
            static_cast<int32_t>(ReadInteger(*weight, Key(path, "weight"), INT32_MIN, INT32_MAX));
    struct Flag {
        const char* key;
        uint8_t* field;
    };
    for (Flag flag : {Flag{"italic", &font->italic}, Flag{"underline", &font->underline},
                      Flag{"strikeOut", &font->strikeOut}}) {
        if (const json* on = Find(*value, flag.key)) {
            if (!on->is_boolean()) RefuseType(*on, Key(path, flag.key), "true or false");
            *flag.field = on->get<bool>() ? 1 : 0;
        }
    }
    if (const json* charSet = Find(*value, "charSet"))
        font->charSet = static_cast<uint8_t>(ReadInteger(*charSet, Key(path, "charSet"), 0, 255));
    if (const json* text = Find(*value, "style")) {
        const std::string& words = ReadString(*text, Key(path, "style"));
        // The stored field must hold the text and its NUL.
        if (words.size() > styleSize - 1)
            Refuse(Key(path, "style"),
                   "a style text has at most " + std::to_string(styleSize - 1) + " characters");
        CopyText(style, styleSize, words);
    }
}

// Digits of a fixed count at text[*at]; false when they are not there.
bool TakeDigits(const std::string& text, size_t* at, size_t count, int32_t* number) {
    if (*at + count > text.size()) return false;
    int32_t n = 0;
    for (size_t i = 0; i < count; ++i) {
        char c = text[*at + i];
        if (c < '0' || c > '9') return false;
        n = n * 10 + (c - '0');
    }
    *number = n;
    *at += count;
    return true;
}

bool TakeChar(const std::string& text, size_t* at, char c) {
    if (*at < text.size() && text[*at] == c) {
        ++*at;
        return true;
    }
    return false;
}

// ".5", ".50" or ".500" as milliseconds; nothing is 0.
bool TakeFraction(const std::string& text, size_t* at, int32_t* milliseconds) {
    *milliseconds = 0;
    if (!TakeChar(text, at, '.')) return true;
    int32_t scale = 100;
    size_t digits = 0;
    while (*at < text.size() && text[*at] >= '0' && text[*at] <= '9') {
        if (++digits > 3) return false;
        *milliseconds += (text[*at] - '0') * scale;
        scale /= 10;
        ++*at;
    }
    return digits > 0;
}

ClockMoment ReadMoment(const json& value, const std::string& path) {
    const std::string& text = ReadString(value, path);
    ClockMoment m{};
    size_t at = 0;
    bool ok = TakeDigits(text, &at, 4, &m.year) && TakeChar(text, &at, '-') &&
              TakeDigits(text, &at, 2, &m.month) && TakeChar(text, &at, '-') &&
              TakeDigits(text, &at, 2, &m.day) &&
              (TakeChar(text, &at, ' ') || TakeChar(text, &at, 'T')) &&
              TakeDigits(text, &at, 2, &m.hour) && TakeChar(text, &at, ':') &&
              TakeDigits(text, &at, 2, &m.minute) && TakeChar(text, &at, ':') &&
              TakeDigits(text, &at, 2, &m.second) && TakeFraction(text, &at, &m.millisecond) &&
              at == text.size();
    if (!ok)
        Refuse(path, "expected a moment as \"YYYY-MM-DD HH:MM:SS[.mmm]\", got \"" + text + "\"");
    if (!IsValidMoment(m)) Refuse(path, "\"" + text + "\" is not a moment that exists");
    return m;
}

// "now", or "now:SS[.mmm]": the current minute at that second, so that a run
// of the current time can still be sure to see the minute change.
int32_t ReadNowSecond(const std::string& text) {
    if (text == "now") return -1;
    size_t at = 3;
    int32_t second = 0, milliseconds = 0;
    bool ok = TakeChar(text, &at, ':') && TakeDigits(text, &at, 2, &second) &&
              TakeFraction(text, &at, &milliseconds) && at == text.size() && second < 60;
    if (!ok)
        Refuse("start", "expected \"now\", \"now:SS[.mmm]\" or \"YYYY-MM-DD HH:MM:SS[.mmm]\", "
                        "got \"" +
                            text + "\"");
    return second * 1000 + milliseconds;
}

// "[+|-]H:MM:SS[.mmm]" or a signed number of milliseconds.
int64_t ReadDuration(const json& value, const std::string& path) {
    constexpr int64_t kLimit = 100LL * 366 * 24 * 3600 * 1000; // a century
    if (value.is_number_integer() || value.is_number_unsigned())
        return ReadInteger(value, path, -kLimit, kLimit);
    const std::string& text = ReadString(value, path);
    size_t at = 0;
    int64_t sign = 1;
    if (TakeChar(text, &at, '-'))
        sign = -1;
    else
        TakeChar(text, &at, '+');
    int64_t hours = 0;
    size_t digits = 0;
    while (at < text.size() && text[at] >= '0' && text[at] <= '9' && digits < 6) {
        hours = hours * 10 + (text[at++] - '0');
        ++digits;
    }
    int32_t minutes = 0, seconds = 0, milliseconds = 0;
    bool ok = digits > 0 && TakeChar(text, &at, ':') && TakeDigits(text, &at, 2, &minutes) &&
              TakeChar(text, &at, ':') && TakeDigits(text, &at, 2, &seconds) &&
              TakeFraction(text, &at, &milliseconds) && at == text.size() && minutes < 60 &&
              seconds < 60;
    if (!ok)
        Refuse(path, "expected a duration as \"[+|-]H:MM:SS[.mmm]\" or milliseconds, got \"" +
                         text + "\"");
    return sign * (((hours * 60 + minutes) * 60 + seconds) * 1000 + milliseconds);
}

void ReadCountdown(const json& value, const std::string& path, EditData* edit) {
    if (value.is_object()) {
        ExpectKeys(value, path, {"hours", "minutes", "seconds"});
        if (const json* v = Find(value, "hours"))
            edit->countdownHours = ReadI16(*v, Key(path, "hours"));
        if (const json* v = Find(value, "minutes"))
            edit->countdownMinutes = ReadI16(*v, Key(path, "minutes"));
        if (const json* v = Find(value, "seconds"))
            edit->countdownSeconds = ReadI16(*v, Key(path, "seconds"));
        return;
    }
    if (!value.is_string()) RefuseType(value, path, "\"H:MM:SS\" or an object");
    const std::string& text = value.get_ref<const std::string&>();
    size_t at = 0;
    int32_t hours = 0, minutes = 0, seconds = 0;
    size_t digits = 0;
    while (at < text.size() && text[at] >= '0' && text[at] <= '9' && digits < 5) {
        hours = hours * 10 + (text[at++] - '0');
        ++digits;
    }
    bool ok = digits > 0 && hours <= INT16_MAX && TakeChar(text, &at, ':') &&
              TakeDigits(text, &at, 2, &minutes) && TakeChar(text, &at, ':') &&
              TakeDigits(text, &at, 2, &seconds) && at == text.size() && minutes < 60 &&
              seconds < 60;
    if (!ok) Refuse(path, "expected a countdown as \"H:MM:SS\", got \"" + text + "\"");
    edit->countdownHours = static_cast<int16_t>(hours);
    edit->countdownMinutes = static_cast<int16_t>(minutes);
    edit->countdownSeconds = static_cast<int16_t>(seconds);
}

void ReadAnalog(const json* value, const std::string& path, EditData* edit) {
    edit->settings.analogMarks = 1;
    edit->settings.analogNumerals = kNumeralsArabic;
    edit->settings.analogColor = 0;
    edit->settings.hourHand = edit->settings.minuteHand = edit->settings.secondHand = 1;
    edit->settings.hourHandColor = edit->settings.minuteHandColor = 0;
    edit->settings.secondHandColor = 0x000000C0; // dark red
    edit->dialInsetX = edit->dialInsetY = 40;
    const json* font = value && value->is_object() ? Find(*value, "font") : nullptr;
    if (value)
        ExpectKeys(*value, path,
                   {"marks", "numerals", "color", "font", "hourHand", "hourHandColor", "minuteHand",
                    "minuteHandColor", "secondHand", "secondHandColor", "insetX", "insetY"});
    ReadFont(font, Key(path, "font"), {12}, &edit->settings.analogFont,
             edit->settings.analogFontStyle, sizeof(edit->settings.analogFontStyle));
    if (!value) return;
    if (const json* v = Find(*value, "marks"))
        edit->settings.analogMarks = ReadSwitch(*v, Key(path, "marks"));
    if (const json* v = Find(*value, "numerals"))
        edit->settings.analogNumerals =
            ReadChoice(*v, Key(path, "numerals"), {"arabic", "roman", "none"});
    if (const json* v = Find(*value, "color"))
        edit->settings.analogColor = ReadColour(*v, Key(path, "color"));
    if (const json* v = Find(*value, "hourHand"))
        edit->settings.hourHand = ReadSwitch(*v, Key(path, "hourHand"));
    if (const json* v = Find(*value, "hourHandColor"))
        edit->settings.hourHandColor = ReadColour(*v, Key(path, "hourHandColor"));
    if (const json* v = Find(*value, "minuteHand"))
        edit->settings.minuteHand = ReadSwitch(*v, Key(path, "minuteHand"));
    if (const json* v = Find(*value, "minuteHandColor"))
        edit->settings.minuteHandColor = ReadColour(*v, Key(path, "minuteHandColor"));
    if (const json* v = Find(*value, "secondHand"))
        edit->settings.secondHand = ReadSwitch(*v, Key(path, "secondHand"));
    if (const json* v = Find(*value, "secondHandColor"))
        edit->settings.secondHandColor = ReadColour(*v, Key(path, "secondHandColor"));
    if (const json* v = Find(*value, "insetX")) edit->dialInsetX = ReadI16(*v, Key(path, "insetX"));
    if (const json* v = Find(*value, "insetY")) edit->dialInsetY = ReadI16(*v, Key(path, "insetY"));
}

void ReadDigital(const json* value, const std::string& path, EditData* edit) {
    edit->settings.digitalFormat = 3;
    edit->settings.digitalColor = 0;
    const json* font = value && value->is_object() ? Find(*value, "font") : nullptr;
    if (value) ExpectKeys(*value, path, {"layout", "color", "font"});
    ReadFont(font, Key(path, "font"), {24}, &edit->settings.digitalFont,
             edit->settings.digitalFontStyle, sizeof(edit->settings.digitalFontStyle));
    if (!value) return;
    if (const json* v = Find(*value, "layout"))
        edit->settings.digitalFormat =
            ReadChoice(*v, Key(path, "layout"), {"12h", "12h-seconds", "24h", "24h-seconds"});
    if (const json* v = Find(*value, "color"))
        edit->settings.digitalColor = ReadColour(*v, Key(path, "color"));
}

void ReadCalendar(const json* value, const std::string& path, EditData* edit) {
    edit->settings.calendarFormat = 2;
    edit->settings.calendarPattern = 1;
    edit->settings.calendarColor = 0;
    const json* font = value && value->is_object() ? Find(*value, "font") : nullptr;
    if (value) ExpectKeys(*value, path, {"format", "pattern", "color", "font"});
    ReadFont(font, Key(path, "font"), {16}, &edit->settings.calendarFont,
             edit->settings.calendarFontStyle, sizeof(edit->settings.calendarFontStyle));
    if (!value) return;
    if (const json* v = Find(*value, "format"))
        edit->settings.calendarFormat =
            ReadChoice(*v, Key(path, "format"), {"short", "long", "pattern"});
    if (const json* v = Find(*value, "pattern"))
        edit->settings.calendarPattern =
            ReadChoice(*v, Key(path, "pattern"),
                       {"dd/mm/yy", "d mmmm yyyy", "d mmmm, yyyy", "mmmm d, yyyy", "dd-mmm-yy",
                        "mmmm, yy", "mmm-yy"});
    if (const json* v = Find(*value, "color"))
        edit->settings.calendarColor = ReadColour(*v, Key(path, "color"));
}

Label ReadLabel(const json& value, const std::string& path, const Scenario& scenario) {
    ExpectKeys(value, path, {"text", "x", "y", "width", "height", "color", "size"});
    Label label;
    const json* text = Find(value, "text");
    if (!text) Refuse(Key(path, "text"), "missing");
    label.text = ReadString(*text, Key(path, "text"));
    struct Field {
        const char* key;
        int32_t* field;
        int64_t low, high;
    };
    for (Field f :
         {Field{"x", &label.x, 0, scenario.width - 1}, Field{"y", &label.y, 0, scenario.height - 1},
          Field{"width", &label.width, 1, scenario.width},
          Field{"height", &label.height, 1, scenario.height}, Field{"size", &label.size, 1, 200}}) {
        const json* v = Find(value, f.key);
        if (!v && std::strcmp(f.key, "size") != 0) Refuse(Key(path, f.key), "missing");
        if (v) *f.field = static_cast<int32_t>(ReadInteger(*v, Key(path, f.key), f.low, f.high));
    }
    if (const json* v = Find(value, "color")) label.color = ReadColour(*v, Key(path, "color"));
    return label;
}

bool IsNameCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '-';
}

ScenarioObject ReadObject(const json& value, const std::string& path) {
    ExpectKeys(value, path,
               {"name", "display", "mode", "x", "y", "width", "height", "border", "countdown",
                "analog", "digital", "calendar", "eventsAlwaysTrue"});
    ScenarioObject object;
    std::memset(&object.edit, 0, sizeof(object.edit));
    EditData& edit = object.edit;

    const json* name = Find(value, "name");
    if (!name) Refuse(Key(path, "name"), "missing");
    object.name = ReadString(*name, Key(path, "name"));
    if (object.name.empty() || object.name.size() > 32 ||
        !std::all_of(object.name.begin(), object.name.end(), IsNameCharacter))
        Refuse(Key(path, "name"), "a name has 1 to 32 letters, digits, '_' or '-'");

    const json* display = Find(value, "display");
    if (!display) Refuse(Key(path, "display"), "missing");
    edit.settings.displayType =
        ReadChoice(*display, Key(path, "display"), {"analog", "digital", "invisible", "calendar"});
    edit.settings.clockMode = kModeTime;
    if (const json* v = Find(value, "mode"))
        edit.settings.clockMode =
            ReadChoice(*v, Key(path, "mode"), {"time", "chronometer", "countdown"});
    if (const json* v = Find(value, "x")) object.x = ReadI16(*v, Key(path, "x"));
    if (const json* v = Find(value, "y")) object.y = ReadI16(*v, Key(path, "y"));
    edit.width = edit.height = 100;
    if (const json* v = Find(value, "width")) edit.width = ReadI16(*v, Key(path, "width"));
    if (const json* v = Find(value, "height")) edit.height = ReadI16(*v, Key(path, "height"));
    if (const json* v = Find(value, "border"))
        edit.settings.border = ReadSwitch(*v, Key(path, "border"));
    if (const json* v = Find(value, "countdown")) ReadCountdown(*v, Key(path, "countdown"), &edit);
    if (const json* v = Find(value, "eventsAlwaysTrue")) {
        if (!v->is_boolean()) RefuseType(*v, Key(path, "eventsAlwaysTrue"), "true or false");
        object.flags = v->get<bool>() ? kObjectFlagEventsTrue : 0;
    }
    ReadAnalog(Find(value, "analog"), Key(path, "analog"), &edit);
    ReadDigital(Find(value, "digital"), Key(path, "digital"), &edit);
    ReadCalendar(Find(value, "calendar"), Key(path, "calendar"), &edit);
    return object;
}

int32_t ObjectIndex(const Scenario& scenario, const json& step, const std::string& path,
                    int32_t fallback) {
    const json* name = Find(step, "object");
    if (!name) {
        if (fallback >= 0) return fallback;
        if (scenario.objects.size() == 1) return 0;
        Refuse(Key(path, "object"), "missing (the scenario has several objects)");
    }
    const std::string& text = ReadString(*name, Key(path, "object"));
    for (size_t i = 0; i < scenario.objects.size(); ++i)
        if (scenario.objects[i].name == text) return static_cast<int32_t>(i);
    Refuse(Key(path, "object"), "no object is named \"" + text + "\"");
}

// The name, the rate (0: the scenario's own) and that no other recording of
// the timeline writes the same file.
void CheckRecording(const Scenario& scenario, Step* step, int64_t fps, const std::string& namePath,
                    const std::string& fpsPath) {
    const std::string& name = step->file;
    if (name.size() < 5 || name.compare(name.size() - 4, 4, ".gif") != 0)
        Refuse(namePath, "a recording is a file name ending in .gif");
    // chronyx-gif finds the recordings in the output folder.
    bool outside = name[0] == '/' || name[0] == '\\' || name.find(':') != std::string::npos;
    for (size_t start = 0; start <= name.size() && !outside;) {
        size_t end = name.find_first_of("/\\", start);
        if (end == std::string::npos) end = name.size();
        outside = name.compare(start, end - start, "..") == 0;
        start = end + 1;
    }
    if (outside) Refuse(namePath, "a recording goes into the output folder: give a relative name");
    if (fps == 0) {
        if (scenario.fps > kMaxRecordFps)
            Refuse(fpsPath, "the scenario runs at " + std::to_string(scenario.fps) +
                                " fps, more than an animation shows (" +
                                std::to_string(kMaxRecordFps) + "): give a rate");
        fps = scenario.fps;
    }
    if (fps > scenario.fps)
        Refuse(fpsPath, std::to_string(fps) + " is more than the scenario's " +
                            std::to_string(scenario.fps) + " fps");
    step->recordFps = static_cast<int32_t>(fps);
}

void RefuseSecondRecording(const Scenario& scenario, const Step& step, const std::string& path) {
    for (const Step& other : scenario.timeline)
        if (other.kind == StepKind::Record && other.file == step.file)
            Refuse(path, "\"" + step.file + "\" is recorded twice");
}

// A step of the timeline (with "frame") or of an event line (without).
Step ReadStep(const Scenario& scenario, const json& value, const std::string& path, bool inTimeline,
              int32_t objectFallback) {
    if (!value.is_object()) RefuseType(value, path, "an object");
    static const char* const kVerbs[] = {"action", "expression", "condition", "pause", "resume",
                                         "jump",   "setClock",   "snapshot",  "record"};
    const char* verb = nullptr;
    for (const char* candidate : kVerbs) {
        if (!Find(value, candidate)) continue;
        if (verb)
            Refuse(path, std::string("a step does one thing: both \"") + verb + "\" and \"" +
                             candidate + "\"");
        verb = candidate;
    }
    if (!verb)
        Refuse(path, "a step needs one of \"action\", \"expression\", \"condition\", \"pause\", "
                     "\"resume\", \"jump\", \"setClock\", \"snapshot\", \"record\"");
    std::string verbPath = Key(path, verb);
    const json& argument = *Find(value, verb);
    Step step{};
    step.where = verbPath;
    bool routine = std::strcmp(verb, "action") == 0 || std::strcmp(verb, "expression") == 0 ||
                   std::strcmp(verb, "condition") == 0;
    if (!inTimeline && !routine)
        Refuse(verbPath, "an event line runs only actions, expressions and conditions");
    if (routine) {
        if (inTimeline)
            ExpectKeys(value, path, {"frame", "object", "param", verb});
        else
            ExpectKeys(value, path, {"object", "param", verb});
        const std::string& name = ReadString(argument, verbPath);
        const RoutineList& list = verb[0] == 'a'   ? kActions
                                  : verb[0] == 'e' ? kExpressions
                                                   : kConditions;
        step.kind = verb[0] == 'a'   ? StepKind::Action
                    : verb[0] == 'e' ? StepKind::Expression
                                     : StepKind::Condition;
        step.routine = FindRoutine(list, name);
        if (step.routine < 0)
            Refuse(verbPath, std::string("unknown ") + verb + " \"" + name + "\"");
        step.object = ObjectIndex(scenario, value, path, objectFallback);
        // Parameters are 32-bit: signed, or unsigned for a value such as a
        // position whose high half has its top bit set.
        if (const json* param = Find(value, "param"))
            step.param = static_cast<int32_t>(static_cast<uint32_t>(
                ReadInteger(*param, Key(path, "param"), INT32_MIN, UINT32_MAX)));
    } else if (std::strcmp(verb, "record") == 0) {
        ExpectKeys(value, path, {"frame", "record", "to", "fps"});
        step.kind = StepKind::Record;
        step.file = ReadString(argument, verbPath);
    } else {
        ExpectKeys(value, path, {"frame", verb});
        if (std::strcmp(verb, "pause") == 0 || std::strcmp(verb, "resume") == 0) {
            if (!argument.is_boolean() || !argument.get<bool>()) Refuse(verbPath, "expected true");
            step.kind = verb[0] == 'p' ? StepKind::Pause : StepKind::Resume;
        } else if (std::strcmp(verb, "jump") == 0) {
            step.kind = StepKind::Jump;
            step.jumpMs = ReadDuration(argument, verbPath);
        } else if (std::strcmp(verb, "setClock") == 0) {
            step.kind = StepKind::SetClock;
            step.moment = ReadMoment(argument, verbPath);
        } else {
            step.kind = StepKind::Snapshot;
            step.file = ReadString(argument, verbPath);
            if (step.file.size() < 5 || step.file.compare(step.file.size() - 4, 4, ".png") != 0)
                Refuse(verbPath, "a snapshot is a file name ending in .png");
        }
    }
    if (inTimeline) {
        const json* frame = Find(value, "frame");
        if (!frame) Refuse(Key(path, "frame"), "missing");
        step.frame =
            static_cast<int32_t>(ReadInteger(*frame, Key(path, "frame"), 0, scenario.frames - 1));
    }
    if (step.kind == StepKind::Record) {
        const json* to = Find(value, "to");
        if (!to) Refuse(Key(path, "to"), "missing");
        step.recordTo = static_cast<int32_t>(
            ReadInteger(*to, Key(path, "to"), step.frame, scenario.frames - 1));
        int64_t fps = 0;
        if (const json* v = Find(value, "fps"))
            fps = ReadInteger(*v, Key(path, "fps"), 1, kMaxRecordFps);
        CheckRecording(scenario, &step, fps, verbPath, Key(path, "fps"));
    }
    return step;
}

void ReadScenario(const json& root, Scenario* scenario) {
    ExpectKeys(root, "",
               {"description", "frame", "fps", "frames", "eventCount", "start", "intl", "objects",
                "on", "timeline", "labels"});
    if (const json* v = Find(root, "description")) ReadString(*v, "description");
    if (const json* frame = Find(root, "frame")) {
        ExpectKeys(*frame, "frame", {"width", "height", "background", "originX", "originY"});
        if (const json* v = Find(*frame, "width"))
            scenario->width = static_cast<int32_t>(ReadInteger(*v, "frame.width", 1, 8192));
        if (const json* v = Find(*frame, "height"))
            scenario->height = static_cast<int32_t>(ReadInteger(*v, "frame.height", 1, 8192));
        if (const json* v = Find(*frame, "background"))
            scenario->background = ReadColour(*v, "frame.background");
        if (const json* v = Find(*frame, "originX"))
            scenario->originX = ReadI16(*v, "frame.originX");
        if (const json* v = Find(*frame, "originY"))
            scenario->originY = ReadI16(*v, "frame.originY");
    }
    if (const json* v = Find(root, "fps"))
        scenario->fps = static_cast<int32_t>(ReadInteger(*v, "fps", 1, 1000));
    if (const json* v = Find(root, "frames"))
        scenario->frames = static_cast<int32_t>(ReadInteger(*v, "frames", 1, 100000000));
    if (const json* v = Find(root, "eventCount"))
        scenario->eventCountStart =
            static_cast<int32_t>(ReadInteger(*v, "eventCount", INT32_MIN, INT32_MAX));
    if (const json* v = Find(root, "start")) {
        if (v->is_string() && v->get_ref<const std::string&>().compare(0, 3, "now") == 0) {
            scenario->startNow = true;
            scenario->startNowSecondMs = ReadNowSecond(v->get_ref<const std::string&>());
        } else {
            scenario->startNow = false;
            scenario->start = ReadMoment(*v, "start");
        }
    }
    if (const json* intl = Find(root, "intl")) {
        ExpectKeys(*intl, "intl", {"s1159", "s2359", "sShortDate", "sLongDate"});
        for (auto it = intl->begin(); it != intl->end(); ++it) {
            std::string path = Key("intl", it.key().c_str());
            const std::string& text = ReadString(*it, path);
            if (text.size() > 255) Refuse(path, "a profile value has at most 255 characters");
            scenario->intl.emplace_back(it.key(), text);
        }
    }
    const json* objects = Find(root, "objects");
    if (!objects) Refuse("objects", "missing");
    if (!objects->is_array()) RefuseType(*objects, "objects", "an array");
    if (objects->empty()) Refuse("objects", "a scenario needs at least one object");
    for (size_t i = 0; i < objects->size(); ++i) {
        ScenarioObject object = ReadObject((*objects)[i], Item("objects", i));
        for (const ScenarioObject& other : scenario->objects)
            if (other.name == object.name)
                Refuse(Item("objects", i) + ".name", "\"" + object.name + "\" is used twice");
        scenario->objects.push_back(std::move(object));
    }
    if (const json* labels = Find(root, "labels")) {
        if (!labels->is_array()) RefuseType(*labels, "labels", "an array");
        for (size_t i = 0; i < labels->size(); ++i)
            scenario->labels.push_back(ReadLabel((*labels)[i], Item("labels", i), *scenario));
    }
    if (const json* lines = Find(root, "on")) {
        if (!lines->is_array()) RefuseType(*lines, "on", "an array");
        for (size_t i = 0; i < lines->size(); ++i) {
            const json& line = (*lines)[i];
            std::string path = Item("on", i);
            ExpectKeys(line, path, {"object", "condition", "do"});
            EventLine event{};
            event.object = ObjectIndex(*scenario, line, path, -1);
            const json* condition = Find(line, "condition");
            if (!condition) Refuse(Key(path, "condition"), "missing");
            const std::string& name = ReadString(*condition, Key(path, "condition"));
            event.condition = FindRoutine(kConditions, name);
            if (event.condition < 0)
                Refuse(Key(path, "condition"), "unknown condition \"" + name + "\"");
            if (event.condition < kFirstEventCode || event.condition > kLastEventCode)
                Refuse(Key(path, "condition"),
                       "\"" + name + "\" answers no event (use " + "OnEachSecond to OnEachYear)");
            const json* steps = Find(line, "do");
            if (!steps) Refuse(Key(path, "do"), "missing");
            if (!steps->is_array()) RefuseType(*steps, Key(path, "do"), "an array");
            for (size_t s = 0; s < steps->size(); ++s)
                event.steps.push_back(ReadStep(*scenario, (*steps)[s], Item(Key(path, "do"), s),
                                               false, event.object));
            scenario->eventLines.push_back(std::move(event));
        }
    }
    if (const json* timeline = Find(root, "timeline")) {
        if (!timeline->is_array()) RefuseType(*timeline, "timeline", "an array");
        std::vector<std::pair<Step, std::string>> steps;
        for (size_t i = 0; i < timeline->size(); ++i) {
            std::string path = Item("timeline", i);
            steps.emplace_back(ReadStep(*scenario, (*timeline)[i], path, true, -1), path);
        }
        std::stable_sort(steps.begin(), steps.end(), [](const auto& a, const auto& b) {
            return a.first.frame < b.first.frame;
        });
        // The host pauses and resumes its objects in pairs.
        bool paused = false;
        for (const auto& [step, path] : steps) {
            if (step.kind == StepKind::Pause && paused) Refuse(path + ".pause", "already paused");
            if (step.kind == StepKind::Resume && !paused) Refuse(path + ".resume", "not paused");
            if (step.kind == StepKind::Pause) paused = true;
            if (step.kind == StepKind::Resume) paused = false;
            if (step.kind == StepKind::Record) RefuseSecondRecording(*scenario, step, step.where);
            scenario->timeline.push_back(step);
        }
    }
}

void LineAndColumn(const std::string& text, size_t offset, size_t* line, size_t* column) {
    *line = 1;
    *column = 1;
    for (size_t i = 0; i < offset && i < text.size(); ++i) {
        if (text[i] == '\n') {
            ++*line;
            *column = 1;
        } else {
            ++*column;
        }
    }
}

} // namespace

bool IsValidMoment(const ClockMoment& m) {
    return civil::IsValidMoment(m.year, m.month, m.day, m.hour, m.minute, m.second, m.millisecond);
}

std::string FormatMoment(const ClockMoment& m) {
    char text[40];
    std::snprintf(text, sizeof(text), "%04d-%02d-%02d %02d:%02d:%02d.%03d", m.year, m.month, m.day,
                  m.hour, m.minute, m.second, m.millisecond);
    return text;
}

bool AddRecording(Scenario* scenario, int64_t from, int64_t to, const std::string& name,
                  int64_t fps, const std::string& where, ScenarioError* error) {
    try {
        Step step{};
        step.kind = StepKind::Record;
        step.where = where;
        step.file = name;
        CheckRange(from, where, 0, scenario->frames - 1);
        CheckRange(to, where, from, scenario->frames - 1);
        if (fps != 0) CheckRange(fps, where, 1, kMaxRecordFps);
        step.frame = static_cast<int32_t>(from);
        step.recordTo = static_cast<int32_t>(to);
        CheckRecording(*scenario, &step, fps, where, where);
        RefuseSecondRecording(*scenario, step, where);
        auto after =
            std::upper_bound(scenario->timeline.begin(), scenario->timeline.end(), step.frame,
                             [](int32_t frame, const Step& other) { return frame < other.frame; });
        scenario->timeline.insert(after, step);
    } catch (const Refusal& refusal) {
        *error = refusal.error;
        return false;
    }
    return true;
}

bool ParseScenario(const std::string& text, Scenario* scenario, ScenarioError* error) {
    *scenario = Scenario{};
    json root;
    try {
        root = json::parse(text);
    } catch (const json::parse_error& failure) {
        size_t line, column;
        LineAndColumn(text, failure.byte > 0 ? failure.byte - 1 : 0, &line, &column);
        // Keep the library's reason, not its own prefix and position.
        std::string message = failure.what();
        size_t reason = message.find(": ", message.find("parse error"));
        std::string why = "not valid JSON";
        if (reason != std::string::npos) why += ": " + message.substr(reason + 2);
        *error = ScenarioError{
            "line " + std::to_string(line) + ", column " + std::to_string(column), why};
        return false;
    }
    try {
        ReadScenario(root, scenario);
    } catch (const Refusal& refusal) {
        *error = refusal.error;
        *scenario = Scenario{};
        return false;
    }
    return true;
}
