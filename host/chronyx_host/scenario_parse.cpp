// Reads a scenario from JSON: the frame, the clock, the profile, the
// objects, the labels, the event lines and the timeline, each part checked
// as it is read.
#include "host/chronyx_host/scenario.h"

#include <algorithm>

#include "host/chronyx_host/routine_names.h"
#include "host/chronyx_host/scenario_json.h"
#include "host/chronyx_host/scenario_objects.h"
#include "host/chronyx_host/scenario_steps.h"
#include "host/chronyx_host/scenario_time.h"

namespace {

using namespace scenario_reading;

void ReadFrame(const json& frame, Scenario* scenario) {
    ExpectKeys(frame, "frame", {"width", "height", "background", "originX", "originY"});
    if (const json* v = Find(frame, "width"))
        scenario->width = static_cast<int32_t>(ReadInteger(*v, "frame.width", 1, 8192));
    if (const json* v = Find(frame, "height"))
        scenario->height = static_cast<int32_t>(ReadInteger(*v, "frame.height", 1, 8192));
    if (const json* v = Find(frame, "background"))
        scenario->background = ReadColour(*v, "frame.background");
    if (const json* v = Find(frame, "originX")) scenario->originX = ReadI16(*v, "frame.originX");
    if (const json* v = Find(frame, "originY")) scenario->originY = ReadI16(*v, "frame.originY");
}

void ReadRun(const json& root, Scenario* scenario) {
    if (const json* v = Find(root, "fps"))
        scenario->fps = static_cast<int32_t>(ReadInteger(*v, "fps", 1, 1000));
    if (const json* v = Find(root, "frames"))
        scenario->frames = static_cast<int32_t>(ReadInteger(*v, "frames", 1, 100000000));
    if (const json* v = Find(root, "eventCount"))
        scenario->eventCountStart =
            static_cast<int32_t>(ReadInteger(*v, "eventCount", INT32_MIN, INT32_MAX));
}

void ReadStart(const json& start, Scenario* scenario) {
    if (start.is_string() && start.get_ref<const std::string&>().compare(0, 3, "now") == 0) {
        scenario->startNow = true;
        scenario->startNowSecondMs = ReadNowSecond(start.get_ref<const std::string&>());
    } else {
        scenario->startNow = false;
        scenario->start = ReadMoment(start, "start");
    }
}

void ReadIntl(const json& intl, Scenario* scenario) {
    ExpectKeys(intl, "intl", {"s1159", "s2359", "sShortDate", "sLongDate"});
    for (auto it = intl.begin(); it != intl.end(); ++it) {
        std::string path = Key("intl", it.key().c_str());
        const std::string& text = ReadString(*it, path);
        if (text.size() > 255) Refuse(path, "a profile value has at most 255 characters");
        scenario->intl.emplace_back(it.key(), text);
    }
}

void ReadObjects(const json* objects, Scenario* scenario) {
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
}

void ReadLabels(const json& labels, Scenario* scenario) {
    if (!labels.is_array()) RefuseType(labels, "labels", "an array");
    for (size_t i = 0; i < labels.size(); ++i)
        scenario->labels.push_back(ReadLabel(labels[i], Item("labels", i), *scenario));
}

// "When this object raises this event, do these steps."
EventLine ReadEventLine(const json& line, const std::string& path, const Scenario& scenario) {
    ExpectKeys(line, path, {"object", "condition", "do"});
    EventLine event{};
    event.object = ObjectIndex(scenario, line, path, -1);
    const json* condition = Find(line, "condition");
    if (!condition) Refuse(Key(path, "condition"), "missing");
    const std::string& name = ReadString(*condition, Key(path, "condition"));
    event.condition = FindRoutine(kConditions, name);
    if (event.condition < 0) Refuse(Key(path, "condition"), "unknown condition \"" + name + "\"");
    if (event.condition < kFirstEventCode || event.condition > kLastEventCode)
        Refuse(Key(path, "condition"),
               "\"" + name + "\" answers no event (use " + "OnEachSecond to OnEachYear)");
    const json* steps = Find(line, "do");
    if (!steps) Refuse(Key(path, "do"), "missing");
    if (!steps->is_array()) RefuseType(*steps, Key(path, "do"), "an array");
    for (size_t s = 0; s < steps->size(); ++s)
        event.steps.push_back(
            ReadStep(scenario, (*steps)[s], Item(Key(path, "do"), s), false, event.object));
    return event;
}

void ReadEventLines(const json& lines, Scenario* scenario) {
    if (!lines.is_array()) RefuseType(lines, "on", "an array");
    for (size_t i = 0; i < lines.size(); ++i)
        scenario->eventLines.push_back(ReadEventLine(lines[i], Item("on", i), *scenario));
}

// The steps in frame order, file order within a frame; the host pauses and
// resumes its objects in pairs.
void ReadTimeline(const json& timeline, Scenario* scenario) {
    if (!timeline.is_array()) RefuseType(timeline, "timeline", "an array");
    std::vector<std::pair<Step, std::string>> steps;
    for (size_t i = 0; i < timeline.size(); ++i) {
        std::string path = Item("timeline", i);
        steps.emplace_back(ReadStep(*scenario, timeline[i], path, true, -1), path);
    }
    std::stable_sort(steps.begin(), steps.end(),
                     [](const auto& a, const auto& b) { return a.first.frame < b.first.frame; });
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

void ReadScenario(const json& root, Scenario* scenario) {
    ExpectKeys(root, "",
               {"description", "frame", "fps", "frames", "eventCount", "start", "intl", "objects",
                "on", "timeline", "labels"});
    if (const json* v = Find(root, "description")) ReadString(*v, "description");
    if (const json* v = Find(root, "frame")) ReadFrame(*v, scenario);
    ReadRun(root, scenario);
    if (const json* v = Find(root, "start")) ReadStart(*v, scenario);
    if (const json* v = Find(root, "intl")) ReadIntl(*v, scenario);
    ReadObjects(Find(root, "objects"), scenario);
    if (const json* v = Find(root, "labels")) ReadLabels(*v, scenario);
    if (const json* v = Find(root, "on")) ReadEventLines(*v, scenario);
    if (const json* v = Find(root, "timeline")) ReadTimeline(*v, scenario);
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
