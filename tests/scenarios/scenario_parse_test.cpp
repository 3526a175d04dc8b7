// The scenario reader: readable settings land in the edit data at the
// offsets the module reads them from, raw numbers pass through, steps and
// event lines are read in order, and moments exist only on real days.
#include <gtest/gtest.h>

#include <string>

#include "host/chronyx_host/scenario.h"
#include "tests/scenarios/scenario_test_support.h"

namespace {

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
