// The scenario reader: readable settings land in the edit data at the
// offsets the module reads them from, raw numbers pass through, and every
// kind of bad input is refused with the JSON path where it lies.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "host/chronyx_host/frame_recorder.h"
#include "host/chronyx_host/scenario.h"

namespace {

Scenario MustParse(const std::string& text) {
    Scenario scenario;
    ScenarioError error;
    EXPECT_TRUE(ParseScenario(text, &scenario, &error))
        << "refused at " << error.where << ": " << error.message;
    return scenario;
}

std::string OneObject(const std::string& settings) {
    return R"({"objects": [{"name": "o", )" + settings + "}]}";
}

int32_t ReadLE(const EditData& edit, size_t offset, size_t width) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(&edit);
    uint32_t value = 0;
    for (size_t i = 0; i < width; ++i)
        value |= static_cast<uint32_t>(bytes[offset + i]) << (8 * i);
    if (width == 2) return static_cast<int16_t>(value);
    return static_cast<int32_t>(value);
}

TEST(ScenarioSettings, LandAtTheirEditDataOffsets) {
    struct Case {
        const char* settings;
        size_t offset;
        size_t width;
        int32_t expected;
    };
    const Case cases[] = {
        {R"("display": "calendar")", 76, 2, 3},
        {R"("display": 7)", 76, 2, 7},
        {R"("display": "analog", "mode": "countdown")", 78, 2, 2},
        {R"("display": "analog", "mode": -3)", 78, 2, -3},
        {R"("display": "digital", "width": 321, "height": 47)", 8, 2, 321},
        {R"("display": "digital", "width": 321, "height": 47)", 10, 2, 47},
        {R"("display": "digital", "border": true)", 80, 2, 1},
        {R"("display": "digital", "border": 5)", 80, 2, 5},
        {R"("display": "analog", "analog": {"marks": false})", 82, 2, 0},
        {R"("display": "analog", "analog": {"numerals": "roman"})", 84, 2, 1},
        {R"("display": "analog", "analog": {"font": {"size": 16}})", 86, 4, -16},
        {R"("display": "analog", "analog": {"font": {"height": 20}})", 86, 4, 20},
        {R"("display": "analog", "analog": {"font": {"bold": true}})", 90, 4, 700},
        {R"("display": "analog", "analog": {"font": {"italic": true}})", 94, 1, 1},
        // Windows RGB: red in the low byte.
        {R"("display": "analog", "analog": {"color": "#102030"})", 136, 4, 0x302010},
        {R"("display": "analog", "analog": {"color": 16777216})", 136, 4, 0x1000000},
        {R"("display": "analog", "analog": {"secondHand": false})", 180, 2, 0},
        {R"("display": "analog", "analog": {"secondHandColor": "#0000ff"})", 182, 4, 0xFF0000},
        {R"("display": "analog", "analog": {"minuteHandColor": "#00ff00"})", 188, 4, 0x00FF00},
        {R"("display": "analog", "analog": {"hourHand": 0})", 192, 2, 0},
        {R"("display": "digital", "digital": {"layout": "12h-seconds"})", 198, 2, 1},
        {R"("display": "digital", "digital": {"layout": 4})", 198, 2, 4},
        {R"("display": "digital", "digital": {"font": {"size": 30}})", 200, 4, -30},
        {R"("display": "digital", "digital": {"color": "#ff0000"})", 250, 4, 0xFF},
        {R"("display": "calendar", "calendar": {"format": "long"})", 294, 2, 1},
        {R"("display": "calendar", "calendar": {"pattern": "mmm-yy"})", 296, 2, 6},
        {R"("display": "calendar", "calendar": {"pattern": 9})", 296, 2, 9},
        {R"("display": "calendar", "calendar": {"font": {"size": 11}})", 338, 4, -11},
        {R"("display": "calendar", "calendar": {"color": "#000001"})", 388, 4, 0x010000},
        {R"("display": "digital", "countdown": "1:30:05")", 432, 2, 1},
        {R"("display": "digital", "countdown": "1:30:05")", 434, 2, 30},
        {R"("display": "digital", "countdown": "1:30:05")", 436, 2, 5},
        {R"("display": "digital", "countdown": {"minutes": -1})", 434, 2, -1},
        {R"("display": "analog", "analog": {"insetX": 31, "insetY": 20})", 438, 2, 31},
        {R"("display": "analog", "analog": {"insetX": 31, "insetY": 20})", 440, 2, 20},
    };
    for (const Case& c : cases) {
        Scenario scenario = MustParse(OneObject(c.settings));
        ASSERT_EQ(scenario.objects.size(), 1u) << c.settings;
        EXPECT_EQ(ReadLE(scenario.objects[0].edit, c.offset, c.width), c.expected)
            << c.settings << " at offset " << c.offset;
    }
}

TEST(ScenarioSettings, FontTextsEndWithinTheirFields) {
    Scenario scenario = MustParse(OneObject(
        R"("display": "analog", "analog": {"font": {"face": "Courier New", "style": "Bold Italic"}})"));
    const EditData& edit = scenario.objects[0].edit;
    EXPECT_STREQ(edit.settings.analogFont.faceName, "Courier New");
    EXPECT_STREQ(edit.settings.analogFontStyle, "Bold Italic");
    // The other groups keep their defaults.
    EXPECT_STREQ(edit.settings.digitalFont.faceName, "Tahoma");
    EXPECT_STREQ(edit.settings.calendarFontStyle, "");
    const std::string longest(39, 'x');
    scenario = MustParse(
        OneObject(R"("display": "digital", "digital": {"font": {"style": ")" + longest + R"("}})"));
    EXPECT_EQ(scenario.objects[0].edit.settings.digitalFontStyle[39], '\0');
    EXPECT_EQ(std::string(scenario.objects[0].edit.settings.digitalFontStyle), longest);
}

TEST(ScenarioSettings, PositionFlagsAndRunSettings) {
    Scenario scenario = MustParse(
        R"({"frame": {"width": 640, "height": 200, "background": "#000080", "originX": 5,
                      "originY": -7},
            "fps": 60, "frames": 600, "eventCount": 40000, "start": "2024-02-29 23:59:59.25",
            "intl": {"s1159": "", "sLongDate": "dddd"},
            "objects": [{"name": "o", "display": "digital", "x": -12, "y": 300,
                         "eventsAlwaysTrue": true}]})");
    EXPECT_EQ(scenario.width, 640);
    EXPECT_EQ(scenario.height, 200);
    EXPECT_EQ(scenario.background, 0x800000u);
    EXPECT_EQ(scenario.originX, 5);
    EXPECT_EQ(scenario.originY, -7);
    EXPECT_EQ(scenario.fps, 60);
    EXPECT_EQ(scenario.frames, 600);
    EXPECT_EQ(scenario.eventCountStart, 40000);
    EXPECT_FALSE(scenario.startNow);
    EXPECT_EQ(FormatMoment(scenario.start), "2024-02-29 23:59:59.250");
    ASSERT_EQ(scenario.intl.size(), 2u);
    EXPECT_EQ(scenario.intl[0].first, "s1159");
    EXPECT_EQ(scenario.intl[0].second, "");
    EXPECT_EQ(scenario.objects[0].x, -12);
    EXPECT_EQ(scenario.objects[0].y, 300);
    EXPECT_EQ(scenario.objects[0].flags, 0x02);
}

TEST(ScenarioTimeline, StepsAreOrderedByFrameKeepingFileOrder) {
    Scenario scenario = MustParse(R"({"frames": 100,
        "objects": [{"name": "a", "display": "digital"}, {"name": "b", "display": "analog"}],
        "timeline": [
            {"frame": 9, "object": "b", "expression": "GetCentreX"},
            {"frame": 2, "object": "a", "action": "SetPosition", "param": 4294901810},
            {"frame": 9, "object": "a", "condition": "IsVisible"},
            {"frame": 2, "jump": "-1:00:00.5"},
            {"frame": 3, "setClock": "2026-01-01 00:00:00"},
            {"frame": 4, "pause": true},
            {"frame": 5, "resume": true},
            {"frame": 0, "snapshot": "x.png"}
        ]})");
    struct Expected {
        StepKind kind;
        int32_t frame;
        int32_t object;
        int32_t routine;
    };
    const Expected expected[] = {
        {StepKind::Snapshot, 0, -1, -1}, {StepKind::Action, 2, 0, 13},
        {StepKind::Jump, 2, -1, -1},     {StepKind::SetClock, 3, -1, -1},
        {StepKind::Pause, 4, -1, -1},    {StepKind::Resume, 5, -1, -1},
        {StepKind::Expression, 9, 1, 9}, {StepKind::Condition, 9, 0, 8},
    };
    ASSERT_EQ(scenario.timeline.size(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i) {
        const Step& step = scenario.timeline[i];
        EXPECT_EQ(step.kind, expected[i].kind) << "step " << i;
        EXPECT_EQ(step.frame, expected[i].frame) << "step " << i;
        EXPECT_EQ(step.object, expected[i].object) << "step " << i;
        EXPECT_EQ(step.routine, expected[i].routine) << "step " << i;
    }
    // A position whose x is negative arrives as the 32-bit pattern.
    EXPECT_EQ(static_cast<uint32_t>(scenario.timeline[1].param), 0xFFFF0032u);
    EXPECT_EQ(scenario.timeline[2].jumpMs, -3600500);
    EXPECT_EQ(scenario.timeline[2].where, "timeline[3].jump");
}

TEST(ScenarioEventLines, StepsDefaultToTheLinesObject) {
    Scenario scenario = MustParse(R"({
        "objects": [{"name": "a", "display": "digital"}, {"name": "b", "display": "calendar"}],
        "on": [{"object": "b", "condition": "OnEachDay",
                "do": [{"action": "SetCountdown", "param": 60000},
                       {"object": "a", "expression": "GetHours"}]}]})");
    ASSERT_EQ(scenario.eventLines.size(), 1u);
    const EventLine& line = scenario.eventLines[0];
    EXPECT_EQ(line.object, 1);
    EXPECT_EQ(line.condition, 4);
    ASSERT_EQ(line.steps.size(), 2u);
    EXPECT_EQ(line.steps[0].object, 1);
    EXPECT_EQ(line.steps[0].param, 60000);
    EXPECT_EQ(line.steps[1].object, 0);
    EXPECT_EQ(line.steps[1].routine, 3);
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
        {R"({"frames": 10, "objects": [{"name": "a", "display": "digital"}],
             "timeline": [{"frame": 0, "record": "clock.png", "to": 9}]})",
         "timeline[0].record", "ending in .gif"},
        {R"({"frames": 10, "objects": [{"name": "a", "display": "digital"}],
             "timeline": [{"frame": 0, "record": "/tmp/clock.gif", "to": 9}]})",
         "timeline[0].record", "give a relative name"},
        {R"({"frames": 10, "objects": [{"name": "a", "display": "digital"}],
             "timeline": [{"frame": 0, "record": "a/../../clock.gif", "to": 9}]})",
         "timeline[0].record", "give a relative name"},
        {R"({"frames": 10, "objects": [{"name": "a", "display": "digital"}],
             "timeline": [{"frame": 0, "record": "clock.gif"}]})",
         "timeline[0].to", "missing"},
        {R"({"frames": 10, "objects": [{"name": "a", "display": "digital"}],
             "timeline": [{"frame": 5, "record": "clock.gif", "to": 4}]})",
         "timeline[0].to", "4 is out of range (5 to 9)"},
        {R"({"frames": 10, "objects": [{"name": "a", "display": "digital"}],
             "timeline": [{"frame": 0, "record": "clock.gif", "to": 10}]})",
         "timeline[0].to", "10 is out of range (0 to 9)"},
        {R"({"frames": 10, "objects": [{"name": "a", "display": "digital"}],
             "timeline": [{"frame": 0, "record": "clock.gif", "to": 9, "fps": 0}]})",
         "timeline[0].fps", "0 is out of range (1 to 50)"},
        {R"({"fps": 25, "frames": 10, "objects": [{"name": "a", "display": "digital"}],
             "timeline": [{"frame": 0, "record": "clock.gif", "to": 9, "fps": 30}]})",
         "timeline[0].fps", "30 is more than the scenario's 25 fps"},
        {R"({"fps": 60, "frames": 10, "objects": [{"name": "a", "display": "digital"}],
             "timeline": [{"frame": 0, "record": "clock.gif", "to": 9}]})",
         "timeline[0].fps", "runs at 60 fps"},
        {R"({"frames": 10, "objects": [{"name": "a", "display": "digital"}],
             "timeline": [{"frame": 0, "record": "clock.gif", "to": 9},
                          {"frame": 3, "record": "clock.gif", "to": 5}]})",
         "timeline[1].record", "recorded twice"},
        {R"({"frames": 10, "objects": [{"name": "a", "display": "digital"}],
             "timeline": [{"frame": 0, "record": "clock.gif", "to": 9, "object": "a"}]})",
         "timeline[0].object", "unknown key"},
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
    for (const Case& c : cases) {
        Scenario scenario;
        ScenarioError error;
        EXPECT_FALSE(ParseScenario(c.text, &scenario, &error)) << c.text;
        EXPECT_EQ(error.where, c.where) << c.text << "\n  message: " << error.message;
        EXPECT_NE(error.message.find(c.message), std::string::npos)
            << c.text << "\n  got: " << error.message << "\n  expected a part: " << c.message;
    }
}

TEST(ScenarioRecordings, AreTakenAtTheirRateAndLastAsLongAsTheRunsOwnTime) {
    struct Case {
        int32_t scenarioFps, from, to, fps;
        // The scenario frames taken, and how long each shows: until the time
        // of the next one, so a rate that does not divide the scenario's
        // shows its frames unevenly but in step with the run.
        std::vector<int32_t> frames, delays;
    };
    const Case cases[] = {
        {25, 0, 4, 25, {0, 1, 2, 3, 4}, {4, 4, 4, 4, 4}},
        {30, 0, 5, 30, {0, 1, 2, 3, 4, 5}, {3, 4, 3, 3, 4, 3}},
        {50, 10, 19, 20, {10, 12, 15, 17}, {4, 6, 4, 6}},
        {50, 3, 3, 50, {3}, {2}},
        {1000,
         0,
         199,
         50,
         {0, 20, 40, 60, 80, 100, 120, 140, 160, 180},
         std::vector<int32_t>(10, 2)},
        {7, 0, 6, 3, {0, 2, 4}, {29, 28, 43}},
    };
    for (const Case& c : cases) {
        Scenario scenario;
        ScenarioError error;
        std::string json = R"({"fps": )" + std::to_string(c.scenarioFps) + R"(, "frames": )" +
                           std::to_string(c.to + 1) +
                           R"(, "objects": [{"name": "o", "display": "digital"}]})";
        ASSERT_TRUE(ParseScenario(json, &scenario, &error)) << error.message;
        ASSERT_TRUE(AddRecording(&scenario, c.from, c.to, "a.gif", c.fps, "--record", &error))
            << error.message;
        const Step& record = scenario.timeline.back();
        std::vector<int32_t> frames, delays;
        for (int32_t i = 0; RecordedFrame(record, c.scenarioFps, i) <= c.to; ++i) {
            frames.push_back(RecordedFrame(record, c.scenarioFps, i));
            delays.push_back(RecordedDelay(record, c.scenarioFps, i));
        }
        EXPECT_EQ(frames, c.frames) << c.scenarioFps << " fps at " << c.fps;
        EXPECT_EQ(delays, c.delays) << c.scenarioFps << " fps at " << c.fps;
    }
}

TEST(ScenarioRecordings, TheCommandLineOptionIsCheckedLikeTheStep) {
    struct Case {
        int64_t from, to, fps;
        const char* name;
        const char* message; // nullptr: accepted
    };
    const Case cases[] = {
        {0, 9, 0, "a.gif", nullptr},
        {2, 2, 10, "sub/a.gif", nullptr},
        {10, 12, 0, "a.gif", "10 is out of range (0 to 9)"},
        {5, 4, 0, "a.gif", "4 is out of range (5 to 9)"},
        {0, 9, 51, "a.gif", "51 is out of range (1 to 50)"},
        {0, 9, 0, "a.GIF", "ending in .gif"},
        {0, 9, 0, "C:\\a.gif", "relative name"},
        {0, 9, 0, "taken.gif", "recorded twice"},
    };
    for (const Case& c : cases) {
        Scenario scenario;
        ScenarioError error;
        ASSERT_TRUE(
            ParseScenario(R"({"frames": 10, "objects": [{"name": "o", "display": "digital"}],
            "timeline": [{"frame": 0, "record": "taken.gif", "to": 1}, {"frame": 4, "pause": true}]})",
                          &scenario, &error))
            << error.message;
        bool added = AddRecording(&scenario, c.from, c.to, c.name, c.fps, "--record", &error);
        EXPECT_EQ(added, c.message == nullptr) << c.name << ": " << error.message;
        if (!c.message) {
            // In frame order, after the steps of its own frame.
            ASSERT_EQ(scenario.timeline.size(), 3u);
            EXPECT_EQ(scenario.timeline[c.from < 4 ? 1 : 2].kind, StepKind::Record);
            continue;
        }
        EXPECT_EQ(error.where, "--record");
        EXPECT_NE(error.message.find(c.message), std::string::npos) << error.message;
    }
}

TEST(ScenarioMoments, ExistOnlyOnRealCalendarDays) {
    struct Case {
        ClockMoment moment;
        bool valid;
    };
    const Case cases[] = {
        {{2024, 2, 29, 12, 0, 0, 0}, true},  {{2025, 2, 29, 12, 0, 0, 0}, false},
        {{2000, 2, 29, 12, 0, 0, 0}, true},  {{2100, 2, 29, 12, 0, 0, 0}, false},
        {{2026, 4, 31, 0, 0, 0, 0}, false},  {{2026, 12, 31, 23, 59, 59, 999}, true},
        {{2026, 13, 1, 0, 0, 0, 0}, false},  {{2026, 1, 1, 24, 0, 0, 0}, false},
        {{1600, 12, 31, 0, 0, 0, 0}, false}, {{2026, 1, 0, 0, 0, 0, 0}, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsValidMoment(c.moment), c.valid) << FormatMoment(c.moment);
}

} // namespace
