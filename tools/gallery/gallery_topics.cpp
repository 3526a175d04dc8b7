#include "tools/gallery/gallery_topics.h"

#include "contract/calendar_patterns.h"

namespace {

using nlohmann::json;
using Settings = std::vector<std::pair<std::string, json>>;

// Sets "a.b" of `object` to `value`, making "a" as needed.
void Set(json* object, const std::string& path, const json& value) {
    size_t dot = path.find('.');
    if (dot == std::string::npos) {
        (*object)[path] = value;
        return;
    }
    Set(&(*object)[path.substr(0, dot)], path.substr(dot + 1), value);
}

GalleryTile Tile(const std::string& name, const json& base, const Settings& settings,
                 std::vector<json> steps = {}) {
    GalleryTile tile{name, settings, base, std::move(steps)};
    for (const auto& [path, value] : settings)
        Set(&tile.object, path, value);
    return tile;
}

const json kFontBold = {{"face", "Tahoma"}, {"size", 24}, {"bold", true}};

json AnalogBase() {
    return {{"display", "analog"},
            {"border", true},
            {"analog",
             {{"numerals", "arabic"},
              {"marks", true},
              {"color", "#1d3557"},
              {"font", {{"face", "Tahoma"}, {"size", 11}, {"bold", true}}},
              {"hourHandColor", "#1d3557"},
              {"minuteHandColor", "#1d3557"},
              {"secondHandColor", "#e63946"},
              {"insetX", 36},
              {"insetY", 30}}}};
}

json DigitalBase() {
    return {{"display", "digital"},
            {"border", true},
            {"digital", {{"layout", "24h-seconds"}, {"color", "#1d3557"}, {"font", kFontBold}}}};
}

json CalendarBase() {
    return {{"display", "calendar"},
            {"calendar",
             {{"format", "pattern"},
              {"pattern", "d mmmm yyyy"},
              {"color", "#457b9d"},
              {"font", {{"face", "Tahoma"}, {"size", 18}}}}}};
}

const char* const kLayouts[] = {"12h", "12h-seconds", "24h", "24h-seconds"};

GalleryTopic DisplayTypes() {
    GalleryTopic topic{"display",
                       "Display types",
                       "What each display type draws, at 13:27:18 on Thursday, 5 March 2026. "
                       "An invisible clock still keeps time and raises events; a display type "
                       "outside 0 to 3 draws nothing, like the invisible one.",
                       3,
                       220,
                       150,
                       "2026-03-05 13:27:18"};
    for (const char* display : {"analog", "digital", "calendar", "invisible"}) {
        json base = std::string(display) == "analog"     ? AnalogBase()
                    : std::string(display) == "calendar" ? CalendarBase()
                                                         : DigitalBase();
        topic.tiles.push_back(
            Tile(std::string("display-") + display, base, {{"display", display}}));
    }
    topic.tiles.push_back(Tile("display-7", DigitalBase(), {{"display", 7}}));
    return topic;
}

GalleryTopic DigitalLayouts() {
    GalleryTopic topic{
        "digital",
        "Digital layouts in the three clock modes",
        "The four layouts, with and without seconds, showing the time of day (13:27:18, with "
        "the designators \"AM\" and \"PM\"), a chronometer at 25 hours 26 minutes 28 seconds, "
        "and a countdown of 26:14:09 not yet started. The chronometers read 25:26:28 because "
        "the clock was set that far on after they started but before the objects first "
        "sampled it. A running timer does not count a jump of the clock between two of its "
        "object's samples; before the first sample there is nothing to compare with. On a "
        "timer the twelve-hour layouts carry no designator and take 12 from the hours at most "
        "twice: 0 to 11 hours show as they are, 12 to 23 and 24 to 35 hours as 0 to 11, and "
        "from 36 hours on the hours less 24 (a countdown at 100:07 shows 76:07). \"24h\" "
        "shows 0 to 11 hours as they are and from 12 hours on the hours less 12 (25:26 shows "
        "13:26); \"24h-seconds\" shows the hours in full.",
        4,
        190,
        50,
        "2026-03-04 12:00:50"};
    topic.intl = {{"s1159", "AM"}, {"s2359", "PM"}};
    for (const char* mode : {"time", "chronometer", "countdown"})
        for (const char* layout : kLayouts) {
            Settings settings = {{"mode", mode}, {"digital.layout", layout}};
            std::vector<json> steps;
            if (std::string(mode) == "chronometer")
                steps.push_back({{"action", "StartChronometer"}});
            if (std::string(mode) == "countdown") settings.push_back({"countdown", "26:14:09"});
            topic.tiles.push_back(
                Tile(std::string(mode) + "-" + layout, DigitalBase(), settings, steps));
            if (!steps.empty())
                topic.tiles.back().note = "then the clock +25:26:28 before the first sample";
        }
    // The chronometers start before the clock moves on; the first frame draws
    // before the objects sample the clock and could take the jump out.
    topic.steps.push_back({{"jump", "+25:26:28"}});
    return topic;
}

GalleryTopic AnalogFaces() {
    GalleryTopic topic{"analog",
                       "Analog faces",
                       "Each numeral style with the hour marks and the circle on and off, and "
                       "each hand switched off, at 10:09:37. The hour hand points at the whole "
                       "hour. Without numerals the face fills the object; with them it is inset "
                       "by insetX and insetY to leave them room.",
                       4,
                       150,
                       150,
                       "2026-03-05 10:09:37"};
    for (const char* numerals : {"arabic", "roman", "none"})
        for (bool marks : {true, false})
            for (bool border : {true, false})
                topic.tiles.push_back(Tile(
                    std::string(numerals) + (marks ? "-marks" : "") + (border ? "-circle" : ""),
                    AnalogBase(),
                    {{"analog.numerals", numerals}, {"analog.marks", marks}, {"border", border}}));
    for (const char* hand : {"hourHand", "minuteHand", "secondHand"})
        topic.tiles.push_back(Tile(std::string("no-") + hand, AnalogBase(),
                                   {{std::string("analog.") + hand, false}}));
    topic.tiles.push_back(Tile(
        "no-hands", AnalogBase(),
        {{"analog.hourHand", false}, {"analog.minuteHand", false}, {"analog.secondHand", false}}));
    return topic;
}

GalleryTopic CalendarPatterns() {
    GalleryTopic topic{"calendar",
                       "Calendar patterns",
                       "The seven built-in patterns on Thursday, 5 March 2026. A single d or m "
                       "pads the number with a space; the names come from the module's own "
                       "strings, whatever the system's language.",
                       4,
                       220,
                       36,
                       "2026-03-05 13:27:18"};
    for (const char* pattern : kCalendarPatterns)
        topic.tiles.push_back(Tile(std::string("pattern-") + std::to_string(topic.tiles.size()),
                                   CalendarBase(), {{"calendar.pattern", pattern}}));
    return topic;
}

// The four "Intl" values the object reads, in this order.
struct IntlValues {
    const char* shortDate;
    const char* longDate;
    const char* morning;
    const char* afternoon;
};

// The system's date formats and designators come from the profile's "Intl"
// section, which the host writes for the run.

GalleryTopic Intl(const std::string& file, const std::string& title, const std::string& start,
                  const IntlValues& values) {
    const json intl = {{"sShortDate", values.shortDate},
                       {"sLongDate", values.longDate},
                       {"s1159", values.morning},
                       {"s2359", values.afternoon}};
    std::string text = "The profile's \"Intl\" values for this picture: ";
    bool first = true;
    for (auto it = intl.begin(); it != intl.end(); ++it) {
        text += (first ? "" : ", ") + it.key() + " = " + it.value().dump();
        first = false;
    }
    GalleryTopic topic{file,  title, text + ". The time is " + start.substr(11) + ".", 3, 330, 40,
                       start, intl};
    topic.tiles.push_back(Tile("short", CalendarBase(), {{"calendar.format", "short"}}));
    topic.tiles.push_back(Tile("long", CalendarBase(), {{"calendar.format", "long"}}));
    topic.tiles.push_back(
        Tile("designator", DigitalBase(), {{"digital.layout", "12h-seconds"}, {"border", false}}));
    return topic;
}

GalleryTopic OutOfRange() {
    GalleryTopic topic{
        "out-of-range",
        "Stored values outside the documented ones",
        "What the object does with stored values outside the documented ones, which a host or "
        "a damaged game file may hand it, at 13:27:18. A display type, layout, calendar format "
        "or pattern it does not know draws nothing; any numeral style but 0 and 2 is Roman; a "
        "border other than 1 is none; a clock mode outside 0 to 2 runs as a chronometer; "
        "countdown fields are summed as they are, and a negative length shows zero; a colour "
        "with a high byte is read by the "
        "graphics interface as it pleases.",
        4,
        180,
        110,
        "2026-03-05 13:27:18"};
    topic.tiles = {
        Tile("display-7", DigitalBase(), {{"display", 7}}),
        Tile("layout-4", DigitalBase(), {{"digital.layout", 4}}),
        Tile("format-3", CalendarBase(), {{"calendar.format", 3}}),
        Tile("pattern-9", CalendarBase(), {{"calendar.pattern", 9}}),
        Tile("numerals-5", AnalogBase(), {{"analog.numerals", 5}}),
        Tile("numerals-minus-1", AnalogBase(), {{"analog.numerals", -1}, {"border", false}}),
        Tile("analog-border-3", AnalogBase(), {{"border", 3}}),
        Tile("digital-border-3", DigitalBase(), {{"border", 3}}),
        Tile("mode-7", DigitalBase(), {{"mode", 7}, {"digital.layout", "24h"}}),
        Tile("countdown-90-minutes", DigitalBase(),
             {{"mode", "countdown"}, {"countdown", {{"minutes", 90}}}}),
        Tile("countdown-minus-1", DigitalBase(),
             {{"mode", "countdown"}, {"countdown", {{"minutes", -1}}}}),
        Tile("color-high-byte", DigitalBase(), {{"digital.color", 16777216 + 0x0000c0}}),
    };
    return topic;
}

} // namespace

std::vector<GalleryTopic> GalleryTopics() {
    return {
        DisplayTypes(),
        DigitalLayouts(),
        AnalogFaces(),
        CalendarPatterns(),
        Intl("intl-day-month", "System formats: day first", "2026-03-05 09:05:03",
             {"dd/MM/yyyy", "d MMMM yyyy", "am", "pm"}),
        Intl("intl-month-day", "System formats: month first", "2026-03-05 13:27:18",
             {"M/d/yy", "dddd, MMMM dd, yyyy", "AM", "PM"}),
        Intl("intl-custom", "Custom formats: literals, no designator", "2026-03-05 13:27:18",
             {"yyyy-mm-dd", "\"day\" d \"of\" mmmm, yyyy", "", ""}),
        Intl("intl-long-runs", "Custom formats: short names and long runs", "2026-03-05 09:05:03",
             {"ddd d mmm yyy", "ddddd yyyyy", "in the morning", "in the afternoon"}),
        OutOfRange(),
    };
}

std::string TileLabel(const GalleryTile& tile) {
    std::string label;
    for (const auto& [path, value] : tile.settings) {
        size_t dot = path.rfind('.');
        label += (label.empty() ? "" : "\n") + path.substr(dot == std::string::npos ? 0 : dot + 1) +
                 ": " + value.dump();
    }
    for (const nlohmann::json& step : tile.steps)
        label += "\n" + step["action"].get<std::string>();
    if (!tile.note.empty()) label += ", " + tile.note;
    return label;
}
