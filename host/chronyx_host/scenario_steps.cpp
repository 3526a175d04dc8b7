#include "host/chronyx_host/scenario_steps.h"

#include <algorithm>
#include <cstring>

#include "host/chronyx_host/routine_names.h"
#include "host/chronyx_host/scenario_time.h"

namespace scenario_reading {

namespace {

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

// The one thing a step does: its key among the verbs.
const char* TheVerb(const json& value, const std::string& path) {
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
    return verb;
}

bool IsRoutine(const char* verb) {
    return std::strcmp(verb, "action") == 0 || std::strcmp(verb, "expression") == 0 ||
           std::strcmp(verb, "condition") == 0;
}

// An action, expression or condition by name, on an object, with its first
// parameter.
void ReadRoutineStep(const Scenario& scenario, const json& value, const std::string& path,
                     const char* verb, bool inTimeline, int32_t objectFallback, Step* step) {
    if (inTimeline)
        ExpectKeys(value, path, {"frame", "object", "param", verb});
    else
        ExpectKeys(value, path, {"object", "param", verb});
    const std::string& verbPath = step->where;
    const std::string& name = ReadString(*Find(value, verb), verbPath);
    const RoutineList& list = verb[0] == 'a'   ? kActions
                              : verb[0] == 'e' ? kExpressions
                                               : kConditions;
    step->kind = verb[0] == 'a'   ? StepKind::Action
                 : verb[0] == 'e' ? StepKind::Expression
                                  : StepKind::Condition;
    step->routine = FindRoutine(list, name);
    if (step->routine < 0) Refuse(verbPath, std::string("unknown ") + verb + " \"" + name + "\"");
    step->object = ObjectIndex(scenario, value, path, objectFallback);
    // Parameters are 32-bit: signed, or unsigned for a value such as a
    // position whose high half has its top bit set.
    if (const json* param = Find(value, "param"))
        step->param = static_cast<int32_t>(
            static_cast<uint32_t>(ReadInteger(*param, Key(path, "param"), INT32_MIN, UINT32_MAX)));
}

// What the host does itself: pause, resume, move the clock, take a snapshot.
void ReadHostStep(const json& argument, const std::string& verbPath, const char* verb, Step* step) {
    if (std::strcmp(verb, "pause") == 0 || std::strcmp(verb, "resume") == 0) {
        if (!argument.is_boolean() || !argument.get<bool>()) Refuse(verbPath, "expected true");
        step->kind = verb[0] == 'p' ? StepKind::Pause : StepKind::Resume;
    } else if (std::strcmp(verb, "jump") == 0) {
        step->kind = StepKind::Jump;
        step->jumpMs = ReadDuration(argument, verbPath);
    } else if (std::strcmp(verb, "setClock") == 0) {
        step->kind = StepKind::SetClock;
        step->moment = ReadMoment(argument, verbPath);
    } else {
        step->kind = StepKind::Snapshot;
        step->file = ReadString(argument, verbPath);
        if (step->file.size() < 5 || step->file.compare(step->file.size() - 4, 4, ".png") != 0)
            Refuse(verbPath, "a snapshot is a file name ending in .png");
    }
}

// A recording's last frame and rate, after its first frame is known.
void ReadRecordingExtent(const Scenario& scenario, const json& value, const std::string& path,
                         Step* step) {
    const json* to = Find(value, "to");
    if (!to) Refuse(Key(path, "to"), "missing");
    step->recordTo =
        static_cast<int32_t>(ReadInteger(*to, Key(path, "to"), step->frame, scenario.frames - 1));
    int64_t fps = 0;
    if (const json* v = Find(value, "fps"))
        fps = ReadInteger(*v, Key(path, "fps"), 1, kMaxRecordFps);
    CheckRecording(scenario, step, fps, step->where, Key(path, "fps"));
}

} // namespace

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

void RefuseSecondRecording(const Scenario& scenario, const Step& step, const std::string& path) {
    for (const Step& other : scenario.timeline)
        if (other.kind == StepKind::Record && other.file == step.file)
            Refuse(path, "\"" + step.file + "\" is recorded twice");
}

Step ReadStep(const Scenario& scenario, const json& value, const std::string& path, bool inTimeline,
              int32_t objectFallback) {
    if (!value.is_object()) RefuseType(value, path, "an object");
    const char* verb = TheVerb(value, path);
    const std::string verbPath = Key(path, verb);
    Step step{};
    step.where = verbPath;
    if (IsRoutine(verb)) {
        ReadRoutineStep(scenario, value, path, verb, inTimeline, objectFallback, &step);
    } else if (!inTimeline) {
        Refuse(verbPath, "an event line runs only actions, expressions and conditions");
    } else if (std::strcmp(verb, "record") == 0) {
        ExpectKeys(value, path, {"frame", "record", "to", "fps"});
        step.kind = StepKind::Record;
        step.file = ReadString(*Find(value, verb), verbPath);
    } else {
        ExpectKeys(value, path, {"frame", verb});
        ReadHostStep(*Find(value, verb), verbPath, verb, &step);
    }
    if (inTimeline) {
        const json* frame = Find(value, "frame");
        if (!frame) Refuse(Key(path, "frame"), "missing");
        step.frame =
            static_cast<int32_t>(ReadInteger(*frame, Key(path, "frame"), 0, scenario.frames - 1));
    }
    if (step.kind == StepKind::Record) ReadRecordingExtent(scenario, value, path, &step);
    return step;
}

} // namespace scenario_reading

using namespace scenario_reading;

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
