#include "host/chronyx_host/scenario_objects.h"

#include <algorithm>
#include <cstring>

#include "contract/calendar_patterns.h"
#include "host/chronyx_host/scenario_time.h"

namespace scenario_reading {

namespace {

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
    // Member pointers, not addresses: the settings are packed.
    const struct {
        const char *shownKey, *colourKey;
        int16_t ObjectSettings::*shown;
        uint32_t ObjectSettings::*colour;
    } hands[] = {
        {"hourHand", "hourHandColor", &ObjectSettings::hourHand, &ObjectSettings::hourHandColor},
        {"minuteHand", "minuteHandColor", &ObjectSettings::minuteHand,
         &ObjectSettings::minuteHandColor},
        {"secondHand", "secondHandColor", &ObjectSettings::secondHand,
         &ObjectSettings::secondHandColor}};
    for (const auto& hand : hands) {
        if (const json* v = Find(*value, hand.shownKey))
            edit->settings.*hand.shown = ReadSwitch(*v, Key(path, hand.shownKey));
        if (const json* v = Find(*value, hand.colourKey))
            edit->settings.*hand.colour = ReadColour(*v, Key(path, hand.colourKey));
    }
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
        edit->settings.calendarPattern = ReadChoice(*v, Key(path, "pattern"), kCalendarPatterns);
    if (const json* v = Find(*value, "color"))
        edit->settings.calendarColor = ReadColour(*v, Key(path, "color"));
}

bool IsNameCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '-';
}

} // namespace

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

} // namespace scenario_reading
