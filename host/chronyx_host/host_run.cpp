#include "host/chronyx_host/host_run.h"

#include <cstring>

#include "host/chronyx_host/labels.h"
#include "host/chronyx_host/routine_names.h"
#include "host/chronyx_host/run_binding.h"
#include "host/chronyx_host/run_clock.h"
#include "host/chronyx_host/run_drawing.h"
#include "host/chronyx_host/run_log.h"
#include "host/chronyx_host/run_output.h"
#include "host/common/gdi_accounting.h"
#include "host/common/host_clock.h"
#include "host/common/import_patch.h"
#include "host/common/module_version.h"
#include "host/hostrun/hostrun_host.h"

namespace {

const char kAbsent[] = "\x01(absent)\x01";

// Calls the module for every live object in turn, each the context of the
// lines its call causes.
template <class Call> void ForEachAlive(HostRun* run, Call call) {
    for (size_t i = 0; i < run->objects.size(); ++i) {
        HostObject& object = run->objects[i];
        if (!object.alive) continue;
        run->context = static_cast<int32_t>(i);
        call(object);
        run->context = -1;
    }
}

void RunRoutineStep(HostRun* run, const Step& step) {
    HostObject& object = run->objects[step.object];
    if (!object.alive) {
        LogText(run, step.object, "skipped", "", "the object was not created");
        return;
    }
    const ModuleBinding& module = *run->module;
    run->context = step.object;
    switch (step.kind) {
    case StepKind::Action:
        LogNumber(run, step.object, "action", kActions.names[step.routine], step.param);
        module.actions[step.routine](object.run, step.param, 0);
        break;
    case StepKind::Expression: {
        int32_t value = module.expressions[step.routine](object.run, step.param);
        LogNumber(run, step.object, "expression", kExpressions.names[step.routine], value);
        break;
    }
    case StepKind::Condition: {
        int32_t value = module.conditions[step.routine](object.run, step.param, 0);
        LogNumber(run, step.object, "condition", kConditions.names[step.routine], value);
        break;
    }
    default:
        break;
    }
    run->context = -1;
}

void SetPaused(HostRun* run, bool paused) {
    ForEachAlive(run, [&](HostObject& object) {
        Log(run, run->context, paused ? "pause" : "resume");
        (paused ? run->module->PauseRunObject : run->module->ContinueRunObject)(object.run);
    });
    run->paused = paused;
}

void RunClockStep(HostRun* run, const Step& step) {
    if (step.kind == StepKind::Jump) {
        hostclock::Advance(step.jumpMs);
        LogNumber(run, -1, "clock", "jump", step.jumpMs);
    } else {
        hostclock::Set(SystemTimeOf(step.moment));
        LogText(run, -1, "clock", "set", FormatMoment(step.moment));
    }
}

void AnswerEvents(HostRun* run) {
    const ModuleBinding& module = *run->module;
    while (!run->events.empty()) {
        PendingEvent event = run->events.front();
        run->events.pop_front();
        HostObject& object = run->objects[event.object];
        // A code with no condition behind it is not called: the slot after
        // the last one is the table's end.
        if (event.code < 0 || event.code >= module.registration.conditionCount) {
            Fault(run, event.object,
                  "event code " + std::to_string(event.code) + " has no condition to answer it");
            continue;
        }
        if (!object.alive) continue;
        run->context = event.object;
        int32_t answer = module.conditions[event.code](object.run, 0, 0);
        run->context = -1;
        LogNumber(run, event.object, "condition", kConditions.names[event.code], answer);
        if (!answer) continue;
        for (const EventLine& line : run->scenario->eventLines)
            if (line.object == event.object && line.condition == event.code)
                for (const Step& step : line.steps)
                    RunRoutineStep(run, step);
    }
}

int64_t FrameMilliseconds(int32_t fps, int64_t frame) {
    return frame * 1000 / fps;
}

int64_t Milliseconds() {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return now.QuadPart * 1000 / frequency.QuadPart;
}

void SaveAndWriteProfile(HostRun* run) {
    for (const auto& [key, value] : run->scenario->intl) {
        char old[1024];
        GetProfileStringA("Intl", key.c_str(), kAbsent, old, sizeof(old));
        SavedProfileValue saved{key, std::strcmp(old, kAbsent) != 0, old};
        run->savedIntl.push_back(saved);
        WriteProfileStringA("Intl", key.c_str(), value.c_str());
    }
}

void RestoreProfile(HostRun* run) {
    for (const SavedProfileValue& saved : run->savedIntl)
        WriteProfileStringA("Intl", saved.key.c_str(),
                            saved.present ? saved.value.c_str() : nullptr);
    run->savedIntl.clear();
}

// The surface and the font bank, in the run header; false
// with a message when they cannot be made.
bool OpenSurface(HostRun* run, std::string* error) {
    const Scenario& scenario = *run->scenario;
    run->surface = HrSurfaceCreate(scenario.width, scenario.height);
    run->fontBank = HrFontBankCreate();
    if (!run->surface || !run->fontBank) {
        *error = "cannot make a " + std::to_string(scenario.width) + " x " +
                 std::to_string(scenario.height) + " surface";
        return false;
    }
    HrSurfaceFill(run->surface, scenario.background);
    DrawLabels(run->surface, scenario.labels);
    run->header.surface = run->surface;
    run->header.fontBank = run->fontBank;
    run->header.displayOriginX = scenario.originX;
    run->header.displayOriginY = scenario.originY;
    run->header.eventCount = scenario.eventCountStart;
    return true;
}

// Gives back what OpenSurface made and unbinds the run from the callbacks:
// the one way out of a run, started or not.
void CloseSurface(HostRun* run) {
    if (run->surface) HrSurfaceDestroy(run->surface);
    if (run->fontBank) HrFontBankDestroy(run->fontBank);
    run->surface = nullptr;
    run->fontBank = nullptr;
    UnbindRun();
}

// The simulated clock under the module, set to the scenario's start.
bool StartClock(HostRun* run, std::string* error) {
    const Scenario& scenario = *run->scenario;
    if (run->options.realClock) return true;
    if (!hostclock::Install(run->module->module)) {
        *error = "the module does not read the clock with GetLocalTime and SetLocalTime";
        return false;
    }
    SYSTEMTIME start;
    if (scenario.startNow) {
        GetLocalTime(&start);
        if (scenario.startNowSecondMs >= 0) {
            start.wSecond = static_cast<WORD>(scenario.startNowSecondMs / 1000);
            start.wMilliseconds = static_cast<WORD>(scenario.startNowSecondMs % 1000);
        }
    } else
        start = SystemTimeOf(scenario.start);
    hostclock::Set(start);
    return true;
}

void CreateObjects(HostRun* run) {
    const Scenario& scenario = *run->scenario;
    const ModuleBinding& module = *run->module;
    run->objects.resize(scenario.objects.size());
    for (size_t i = 0; i < scenario.objects.size(); ++i) {
        const ScenarioObject& declared = scenario.objects[i];
        HostObject& object = run->objects[i];
        object.name = declared.name;
        object.storage.assign((module.runDataSize + 7) / 8, 0);
        object.run = reinterpret_cast<RunData*>(object.storage.data());
    }
    for (size_t i = 0; i < scenario.objects.size(); ++i) {
        const ScenarioObject& declared = scenario.objects[i];
        HostObject& object = run->objects[i];
        ObjectHeaderOf(object.run)->runHeader = &run->header;
        ObjectHeaderOf(object.run)->flags = declared.flags;
        CreationRecord creation = {};
        creation.x = declared.x;
        creation.y = declared.y;
        run->context = static_cast<int32_t>(i);
        int16_t result = module.CreateRunObject(object.run, &declared.edit, &creation);
        run->context = -1;
        LogNumber(run, static_cast<int32_t>(i), "create", "", result);
        object.alive = result == 0;
    }
}

} // namespace

bool StartRun(HostRun* run, const Scenario& scenario, const ModuleBinding& module,
              const RunOptions& options, std::string* error) {
    if (!BindRun(run)) {
        *error = "another run is in progress";
        return false;
    }
    run->scenario = &scenario;
    run->module = &module;
    run->options = options;
    run->log = EventLog{options.logStream, options.format};
    if (!OpenSurface(run, error) || !StartClock(run, error)) {
        CloseSurface(run);
        return false;
    }
    // On top of the simulated clock, or of Windows' own with --real-clock.
    ChainLoggedImports(module.module);
    gdiaccount::Reset();
    gdiaccount::Install(module.module);
    SaveAndWriteProfile(run);

    // First, which module the log is about: two builds differ in their version.
    std::string version = ReadModuleVersion(module.path);
    LogText(run, -1, "module", module.path.substr(module.path.find_last_of("\\/") + 1),
            version.empty() ? "no version resource" : version);
    CreateObjects(run);
    run->pacingStart = Milliseconds();
    return true;
}

bool RunFrame(HostRun* run) {
    const Scenario& scenario = *run->scenario;
    if (!run->failure.empty() || run->frame >= scenario.frames) return false;
    std::vector<const Step*> snapshots;
    for (const Step& step : scenario.timeline) {
        if (step.frame != run->frame) continue;
        switch (step.kind) {
        case StepKind::Action:
        case StepKind::Expression:
        case StepKind::Condition:
            RunRoutineStep(run, step);
            break;
        case StepKind::Pause:
            SetPaused(run, true);
            break;
        case StepKind::Resume:
            SetPaused(run, false);
            break;
        case StepKind::Jump:
        case StepKind::SetClock:
            RunClockStep(run, step);
            break;
        case StepKind::Snapshot:
            snapshots.push_back(&step);
            break;
        case StepKind::Record:
            if (!BeginRecording(run, step)) return false;
            break;
        }
    }
    // A paused game does not run its objects' frames.
    if (!run->paused) {
        ForEachAlive(run, [&](HostObject& object) {
            if (run->module->HandleRunObject(object.run) == kResultRedraw) object.wantsDraw = true;
        });
    }
    AnswerEvents(run);
    run->header.eventCount =
        static_cast<int32_t>(static_cast<uint32_t>(run->header.eventCount) + 1);
    DrawObjects(run);
    for (const Step* step : snapshots)
        if (!TakeSnapshot(run, *step)) return false;
    if (!run->recordings.empty() && !RecordFrame(run)) return false;

    int64_t next = run->frame + 1;
    if (run->options.realClock) {
        int64_t wait = run->pacingStart + FrameMilliseconds(scenario.fps, next) - Milliseconds();
        if (wait > 0) Sleep(static_cast<DWORD>(wait));
    } else {
        hostclock::Advance(FrameMilliseconds(scenario.fps, next) -
                           FrameMilliseconds(scenario.fps, run->frame));
    }
    run->frame = static_cast<int32_t>(next);
    return true;
}

void FinishRun(HostRun* run) {
    if (run->paused) SetPaused(run, false);
    ForEachAlive(run, [&](HostObject& object) {
        Log(run, run->context, "destroy");
        run->module->DestroyRunObject(object.run, 0);
        object.alive = false;
    });
    SettleGraphics(run, -1); // anything made or borrowed outside a draw
    run->recordings.clear(); // a run cut short leaves no frame file
    int32_t live = HrFontBankLiveCount(run->fontBank);
    if (live != 0) Fault(run, -1, std::to_string(live) + " host fonts not given back");
    RestoreProfile(run);
    imports::RestoreAll(run->module->module);
    CloseSurface(run);
}

int RunScenario(const Scenario& scenario, const ModuleBinding& module, const RunOptions& options) {
    HostRun run;
    std::string error;
    if (!StartRun(&run, scenario, module, options, &error)) {
        std::fprintf(stderr, "chronyx-host: %s\n", error.c_str());
        return 1;
    }
    while (RunFrame(&run)) {
    }
    FinishRun(&run);
    if (!run.failure.empty()) {
        std::fprintf(stderr, "chronyx-host: %s\n", run.failure.c_str());
        return 1;
    }
    if (run.faults) {
        std::fprintf(stderr, "chronyx-host: the module broke the host contract %d times\n",
                     run.faults);
        return 1;
    }
    return 0;
}
