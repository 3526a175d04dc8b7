// A scenario: the frame, the clock, the objects with their settings already
// laid out as edit data, the event lines and the timeline of one host run.
// Everything here has been checked; the runner trusts it.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "contract/edit_data.h"

struct ClockMoment {
    int32_t year, month, day;
    int32_t hour, minute, second, millisecond;
};

enum class StepKind {
    Action,
    Expression,
    Condition,
    Pause,
    Resume,
    Jump,
    SetClock,
    Snapshot,
    Record
};

struct Step {
    StepKind kind;
    int32_t frame = 0;    // timeline steps only
    int32_t object = -1;  // index into Scenario::objects; -1 for steps about the whole run
    int32_t routine = -1; // table index of the action, expression or condition
    int32_t param = 0;    // first parameter (the second is always 0)
    int64_t jumpMs = 0;
    ClockMoment moment{};
    std::string file;      // a snapshot's name, relative to the output folder unless absolute,
                           // or a recording's, always relative
    int32_t recordTo = 0;  // last frame of a recording
    int32_t recordFps = 0; // frames a second of the animation
    std::string where;     // its JSON path, for messages about it
};

// "When `object` raises the event of `condition` and the condition answers
// true, do `steps`."
struct EventLine {
    int32_t object;
    int32_t condition; // 1..6
    std::vector<Step> steps;
};

struct ScenarioObject {
    std::string name;
    EditData edit;
    int16_t x = 0, y = 0; // creation record
    uint8_t flags = 0;    // object header flags byte
};

// Text the host writes on the frame (host/chronyx_host/labels.h).
struct Label {
    int32_t x = 0, y = 0, width = 0, height = 0;
    std::string text;
    uint32_t color = 0x00404040; // COLORREF
    int32_t size = 12;           // character height in pixels
};

struct Scenario {
    int32_t width = 320, height = 240;
    uint32_t background = 0x00FFFFFF; // COLORREF
    int16_t originX = 0, originY = 0;
    int32_t fps = 50;
    int32_t frames = 50;
    int32_t eventCountStart = 0; // the run header's eventCount at the first frame
    bool startNow = true;
    int32_t startNowSecondMs = -1; // "now:SS.mmm": that moment of the current minute
    ClockMoment start{};
    std::vector<std::pair<std::string, std::string>> intl; // key, value
    std::vector<ScenarioObject> objects;
    std::vector<Label> labels;
    std::vector<EventLine> eventLines;
    std::vector<Step> timeline; // ordered by frame, file order within a frame
};

struct ScenarioError {
    std::string where; // JSON path ("objects[1].digital.layout") or "line 3, column 7"
    std::string message;
};

// Parses and checks a scenario written in JSON.
bool ParseScenario(const std::string& text, Scenario* scenario, ScenarioError* error);

// Checks a recording of frames `from` to `to` into the animation `name`
// (fps 0: the scenario's own) and adds it to the timeline. `where` names the
// step or option in the error.
bool AddRecording(Scenario* scenario, int64_t from, int64_t to, const std::string& name,
                  int64_t fps, const std::string& where, ScenarioError* error);

// The largest rate of an animation: GIF counts delays in hundredths of a
// second, and viewers slow down frames shorter than two.
constexpr int32_t kMaxRecordFps = 50;

// Helpers shared with the runner and the tests.
bool IsValidMoment(const ClockMoment& moment);
std::string FormatMoment(const ClockMoment& moment); // "2025-12-31 23:59:59.500"
