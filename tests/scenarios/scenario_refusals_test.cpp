// Every kind of bad scenario is refused with the JSON path where it lies.
#include <gtest/gtest.h>

#include <string>

#include "host/chronyx_host/scenario.h"

namespace {

void ExpectRefused(const std::string& text, const std::string& where, const char* message) {
    Scenario scenario;
    ScenarioError error;
    EXPECT_FALSE(ParseScenario(text, &scenario, &error)) << text;
    EXPECT_EQ(error.where, where) << text << "\n  message: " << error.message;
    EXPECT_NE(error.message.find(message), std::string::npos)
        << text << "\n  got: " << error.message << "\n  expected a part: " << message;
}

TEST(ScenarioRefusals, NameTheJsonPathAndTheFault) {
    struct Case {
        const char* text;
        const char* where;
        const char* message; // a part of the message
    };
    const Case cases[] = {
        {R"({"objects": [{"name": "o", "display": "digital",})", "line 1, column 49",
         "not valid JSON"},
        {R"([1, 2])", "$", "expected an object, got an array"},
        {R"({"objects": []})", "objects", "at least one object"},
        {R"({"frames": 10})", "objects", "missing"},
        {R"({"objects": [{"display": "digital"}]})", "objects[0].name", "missing"},
        {R"({"objects": [{"name": "o"}]})", "objects[0].display", "missing"},
        {R"({"objects": [{"name": "a b", "display": "digital"}]})", "objects[0].name", "letters"},
        {R"({"objects": [{"name": "o", "display": "digital"}, {"name": "o", "display": "analog"}]})",
         "objects[1].name", "used twice"},
        {R"({"objects": [{"name": "o", "display": "clock"}]})", "objects[0].display",
         "unknown value \"clock\""},
        {R"({"objects": [{"name": "o", "display": 1.5}]})", "objects[0].display", "got a fraction"},
        {R"({"objects": [{"name": "o", "display": 40000}]})", "objects[0].display",
         "40000 is out of range (-32768 to 32767)"},
        {R"({"objects": [{"name": "o", "display": "analog", "analog": {"color": "red"}}]})",
         "objects[0].analog.color", "\"#rrggbb\""},
        {R"({"objects": [{"name": "o", "display": "analog", "analog": {"color": "#12345g"}}]})",
         "objects[0].analog.color", "\"#rrggbb\""},
        {R"({"objects": [{"name": "o", "display": "analog", "analog": {"font": {"face": ""}}}]})",
         "objects[0].analog.font.face", "1 to 31 characters"},
        {R"({"objects": [{"name": "o", "display": "analog", "analog": {"font": {"bold": 1}}}]})",
         "objects[0].analog.font.bold", "expected true or false"},
        {R"({"objects": [{"name": "o", "display": "digital", "digital": {"font": {"style": "0123456789012345678901234567890123456789"}}}]})",
         "objects[0].digital.font.style", "at most 39 characters"},
        {R"({"objects": [{"name": "o", "display": "digital", "digital": {"size": 3}}]})",
         "objects[0].digital.size", "unknown key"},
        {R"({"objects": [{"name": "o", "display": "digital", "countdown": "1:75:00"}]})",
         "objects[0].countdown", "\"H:MM:SS\""},
        {R"({"start": "2025-02-29 10:00:00", "objects": [{"name": "o", "display": "digital"}]})",
         "start", "not a moment that exists"},
        {R"({"start": "10:00", "objects": [{"name": "o", "display": "digital"}]})", "start",
         "YYYY-MM-DD"},
        {R"({"intl": {"sTime": ":"}, "objects": [{"name": "o", "display": "digital"}]})",
         "intl.sTime", "unknown key"},
        {R"({"frame": {"width": 9000}, "objects": [{"name": "o", "display": "digital"}]})",
         "frame.width", "9000 is out of range (1 to 8192)"},
        {R"({"fps": 0, "objects": [{"name": "o", "display": "digital"}]})", "fps",
         "0 is out of range"},
        {R"({"frames": 0, "objects": [{"name": "o", "display": "digital"}]})", "frames",
         "0 is out of range"},
        {R"({"objects": [{"name": "a", "display": "digital"}, {"name": "b", "display": "digital"}],
             "timeline": [{"frame": 0, "action": "ShowObject"}]})",
         "timeline[0].object", "several objects"},
        {R"({"objects": [{"name": "a", "display": "digital"}],
             "timeline": [{"frame": 0, "object": "z", "action": "ShowObject"}]})",
         "timeline[0].object", "no object is named \"z\""},
        {R"({"objects": [{"name": "a", "display": "digital"}],
             "timeline": [{"frame": 0, "action": "ShowObject", "expression": "GetHours"}]})",
         "timeline[0]", "does one thing"},
        {R"({"objects": [{"name": "a", "display": "digital"}], "timeline": [{"frame": 0}]})",
         "timeline[0]", "a step needs one of"},
        {R"({"objects": [{"name": "a", "display": "digital"}],
             "timeline": [{"frame": 0, "action": "SetHours", "param": 4294967296}]})",
         "timeline[0].param", "out of range"},
        {R"({"objects": [{"name": "a", "display": "digital"}],
             "timeline": [{"frame": 0, "jump": "ten minutes"}]})",
         "timeline[0].jump", "duration"},
        {R"({"objects": [{"name": "a", "display": "digital"}],
             "timeline": [{"frame": 0, "snapshot": "picture.bmp"}]})",
         "timeline[0].snapshot", "ending in .png"},
        {R"({"fps": 25, "frames": 10, "objects": [{"name": "a", "display": "digital"}],
             "timeline": [{"frame": 0, "record": "clock.gif", "to": 9, "fps": 30}]})",
         "timeline[0].fps", "30 is more than the scenario's 25 fps"},
        {R"({"fps": 60, "frames": 10, "objects": [{"name": "a", "display": "digital"}],
             "timeline": [{"frame": 0, "record": "clock.gif", "to": 9}]})",
         "timeline[0].fps", "runs at 60 fps"},
        {R"({"labels": [{"x": 0, "y": 0, "width": 10, "height": 10}],
             "objects": [{"name": "o", "display": "digital"}]})",
         "labels[0].text", "missing"},
        {R"({"frame": {"width": 100}, "labels": [{"text": "a", "x": 100, "y": 0, "width": 10, "height": 10}],
             "objects": [{"name": "o", "display": "digital"}]})",
         "labels[0].x", "100 is out of range (0 to 99)"},
        {R"({"labels": [{"text": "a", "x": 0, "y": 0, "width": 10}],
             "objects": [{"name": "o", "display": "digital"}]})",
         "labels[0].height", "missing"},
        {R"({"start": "now:60", "objects": [{"name": "o", "display": "digital"}]})", "start",
         "\"now:SS[.mmm]\""},
        {R"({"start": "nowish", "objects": [{"name": "o", "display": "digital"}]})", "start",
         "\"now:SS[.mmm]\""},
        {R"({"objects": [{"name": "a", "display": "digital"}],
             "timeline": [{"frame": 0, "pause": true}, {"frame": 1, "pause": true}]})",
         "timeline[1].pause", "already paused"},
        {R"({"objects": [{"name": "a", "display": "digital"}],
             "timeline": [{"frame": 0, "pause": false}]})",
         "timeline[0].pause", "expected true"},
        {R"({"objects": [{"name": "a", "display": "digital"}],
             "on": [{"condition": "IsVisible", "do": []}]})",
         "on[0].condition", "answers no event"},
        {R"({"objects": [{"name": "a", "display": "digital"}],
             "on": [{"condition": "OnEachHour", "do": [{"pause": true}]}]})",
         "on[0].do[0].pause", "only actions, expressions and conditions"},
        {R"({"objects": [{"name": "a", "display": "digital"}],
             "on": [{"condition": "OnEachHour", "do": [{"frame": 3, "action": "ShowObject"}]}]})",
         "on[0].do[0].frame", "unknown key"},
    };
    // Steps of a ten-frame run of the one object "a".
    const Case steps[] = {
        {R"({"frame": 0, "record": "clock.png", "to": 9})", "timeline[0].record", "ending in .gif"},
        {R"({"frame": 0, "record": "/tmp/clock.gif", "to": 9})", "timeline[0].record",
         "give a relative name"},
        {R"({"frame": 0, "record": "a/../../clock.gif", "to": 9})", "timeline[0].record",
         "give a relative name"},
        {R"({"frame": 0, "record": "clock.gif"})", "timeline[0].to", "missing"},
        {R"({"frame": 5, "record": "clock.gif", "to": 4})", "timeline[0].to",
         "4 is out of range (5 to 9)"},
        {R"({"frame": 0, "record": "clock.gif", "to": 10})", "timeline[0].to",
         "10 is out of range (0 to 9)"},
        {R"({"frame": 0, "record": "clock.gif", "to": 9, "fps": 0})", "timeline[0].fps",
         "0 is out of range (1 to 50)"},
        {R"({"frame": 0, "record": "clock.gif", "to": 9}, {"frame": 3, "record": "clock.gif", "to": 5})",
         "timeline[1].record", "recorded twice"},
        {R"({"frame": 0, "record": "clock.gif", "to": 9, "object": "a"})", "timeline[0].object",
         "unknown key"},
    };
    const std::string run = R"({"frames": 10, "objects": [{"name": "a", "display": "digital"}], )"
                            R"("timeline": [)";
    for (const Case& c : cases)
        ExpectRefused(c.text, c.where, c.message);
    for (const Case& c : steps)
        ExpectRefused(run + c.text + "]}", c.where, c.message);
}

} // namespace
