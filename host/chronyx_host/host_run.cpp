#include "host/chronyx_host/host_run.h"

#include <cstring>

#include "fixtures/moment.h"
#include "host/chronyx_host/labels.h"
#include "host/chronyx_host/png_output.h"
#include "host/chronyx_host/routine_names.h"
#include "host/common/gdi_accounting.h"
#include "host/common/host_clock.h"
#include "host/common/import_patch.h"
#include "host/common/module_version.h"
#include "host/hostrun/hostrun_host.h"

namespace {

// The callbacks in the run header carry no context of their own; one run at
// a time is all a host on one thread needs.
HostRun* g_run = nullptr;

BOOL(WINAPI* g_nextSetLocalTime)(const SYSTEMTIME*) = nullptr;
LRESULT(WINAPI* g_nextSendMessage)(HWND, UINT, WPARAM, LPARAM) = nullptr;

const char kAbsent[] = "\x01(absent)\x01";

ClockMoment MomentOf(const SYSTEMTIME& t) {
    return ClockMoment{t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds};
}

SYSTEMTIME SystemTimeOf(const ClockMoment& m) {
    return fixture::Moment(m.year, m.month, m.day, m.hour, m.minute, m.second, m.millisecond);
}

std::string ObjectName(const HostRun& run, int32_t index) {
    if (index < 0 || index >= static_cast<int32_t>(run.objects.size())) return "-";
    return run.objects[index].name;
}

void Log(HostRun* run, int32_t object, const char* what, const std::string& name = "") {
    LogEntry entry{run->frame, HostNow(*run), ObjectName(*run, object), what, name};
    WriteLogEntry(run->log, entry);
}

void LogNumber(HostRun* run, int32_t object, const char* what, const std::string& name,
               int64_t number) {
    LogEntry entry{run->frame, HostNow(*run), ObjectName(*run, object), what, name};
    entry.hasNumber = true;
    entry.number = number;
    WriteLogEntry(run->log, entry);
}

void LogText(HostRun* run, int32_t object, const char* what, const std::string& name,
             const std::string& text) {
    LogEntry entry{run->frame, HostNow(*run), ObjectName(*run, object), what, name};
    entry.text = text;
    WriteLogEntry(run->log, entry);
}

void Fault(HostRun* run, int32_t object, const std::string& text) {
    if (run->faults++ == 0) run->firstFault = text;
    LogText(run, object, "fault", "", text);
}

// The module's graphics objects and the contexts lent to it since the last
// settling: what it made deleted, what it borrowed given back as it was.
void SettleGraphics(HostRun* run, int32_t object) {
    for (const std::string& fault : gdiaccount::Settle())
        Fault(run, object, fault);
}

int32_t FindObject(const HostRun& run, const void* runData) {
    for (size_t i = 0; i < run.objects.size(); ++i)
        if (run.objects[i].run == runData) return static_cast<int32_t>(i);
    return -1;
}

RECT ObjectRect(const HostRun& run, const HostObject& object) {
    const ObjectHeader& h = *ObjectHeaderOf(object.run);
    RECT r;
    r.left = h.x - run.header.displayOriginX;
    r.top = h.y - run.header.displayOriginY;
    r.right = r.left + h.width;
    r.bottom = r.top + h.height;
    return r;
}

bool Overlap(const RECT& a, const RECT& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

void PaintBackground(HostRun* run, const RECT& area) {
    if (area.right <= area.left || area.bottom <= area.top) return;
    HDC dc = HostBeginGdiDraw(run->surface);
    HBRUSH brush = CreateSolidBrush(run->scenario->background);
    FillRect(dc, &area, brush);
    DeleteObject(brush);
    HostEndGdiDraw(run->surface, dc);
}

// --- what the module calls back -------------------------------------------

int32_t WINAPI HostPushEventCallback(void* runData, int32_t code, int32_t) {
    HostRun* run = g_run;
    int32_t object = FindObject(*run, runData);
    std::string name = code >= 0 && code < kConditions.count ? kConditions.names[code] : "";
    LogNumber(run, object, "event", name, code);
    if (object < 0) {
        Fault(run, -1, "an event was pushed for an object the host does not know");
        return 0;
    }
    run->events.push_back(PendingEvent{object, code});
    return 0;
}

int32_t WINAPI HostEraseObjectCallback(void* runData, int32_t, int32_t) {
    HostRun* run = g_run;
    int32_t object = FindObject(*run, runData);
    Log(run, object, "erase");
    if (object < 0) return 0;
    HostObject& target = run->objects[object];
    if (target.drawn) PaintBackground(run, target.lastRect);
    target.drawn = false;
    return 0;
}

int32_t WINAPI HostRedisplayCallback(void* runData, int32_t, int32_t) {
    HostRun* run = g_run;
    int32_t object = FindObject(*run, runData);
    Log(run, object, "redisplay");
    if (object >= 0) run->objects[object].wantsDraw = true;
    return 0;
}

// The module's clock writes and messages pass through the host on their way
// to the clock and to Windows, so that the log shows them.
BOOL WINAPI LoggedSetLocalTime(const SYSTEMTIME* time) {
    BOOL accepted = g_nextSetLocalTime(time);
    if (g_run) {
        std::string text = FormatMoment(MomentOf(*time));
        if (!accepted) text += " refused";
        LogText(g_run, g_run->context, "clock", "SetLocalTime", text);
    }
    return accepted;
}

LRESULT WINAPI LoggedSendMessageA(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (g_run) {
        if (window == HWND_BROADCAST && message == WM_TIMECHANGE)
            Log(g_run, g_run->context, "broadcast", "WM_TIMECHANGE");
        else
            LogNumber(g_run, g_run->context, "message", "SendMessageA", message);
    }
    return g_nextSendMessage(window, message, w, l);
}

// --- the host's own work --------------------------------------------------

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

void PauseAll(HostRun* run) {
    for (size_t i = 0; i < run->objects.size(); ++i) {
        if (!run->objects[i].alive) continue;
        run->context = static_cast<int32_t>(i);
        Log(run, run->context, "pause");
        run->module->PauseRunObject(run->objects[i].run);
    }
    run->context = -1;
    run->paused = true;
}

void ResumeAll(HostRun* run) {
    for (size_t i = 0; i < run->objects.size(); ++i) {
        if (!run->objects[i].alive) continue;
        run->context = static_cast<int32_t>(i);
        Log(run, run->context, "resume");
        run->module->ContinueRunObject(run->objects[i].run);
    }
    run->context = -1;
    run->paused = false;
}

std::string SnapshotPath(const HostRun& run, const std::string& name) {
    bool absolute = (!name.empty() && (name[0] == '/' || name[0] == '\\')) ||
                    (name.size() > 1 && name[1] == ':');
    if (absolute || run.options.outDir.empty()) return name;
    return run.options.outDir + "/" + name;
}

bool TakeSnapshot(HostRun* run, const Step& step) {
    int32_t width = 0, height = 0;
    const uint32_t* pixels = HrSurfacePixels(run->surface, &width, &height);
    std::string path = SnapshotPath(*run, step.file);
    std::string error;
    if (!WriteFileAtomically(path, EncodePng(pixels, width, height), &error)) {
        run->failure = error;
        return false;
    }
    LogText(run, -1, "snapshot", "", step.file);
    return true;
}

bool BeginRecording(HostRun* run, const Step& step) {
    auto recorder = std::make_unique<FrameRecorder>(step, run->scenario->fps);
    std::string error;
    if (!recorder->Begin(SnapshotPath(*run, FrameFileName(step.file)), run->scenario->width,
                         run->scenario->height, &error)) {
        run->failure = error;
        return false;
    }
    run->recordings.push_back(std::move(recorder));
    return true;
}

// Hands this frame's surface to every recording, and finishes those whose
// last frame it is.
bool RecordFrame(HostRun* run) {
    int32_t width = 0, height = 0;
    const uint32_t* pixels = HrSurfacePixels(run->surface, &width, &height);
    std::string error;
    for (size_t i = 0; i < run->recordings.size();) {
        FrameRecorder& recorder = *run->recordings[i];
        if (!recorder.Offer(run->frame, pixels, &error) ||
            (recorder.Done(run->frame) && !recorder.Finish(&error))) {
            run->failure = error;
            return false;
        }
        if (!recorder.Done(run->frame)) {
            ++i;
            continue;
        }
        LogNumber(run, -1, "record", recorder.Record().file, recorder.FramesTaken());
        run->recordings.erase(run->recordings.begin() + static_cast<std::ptrdiff_t>(i));
    }
    return true;
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

// Every object that asked is drawn again over a fresh background; an object
// whose pixels that background covers is drawn again with it.
void DrawObjects(HostRun* run) {
    std::vector<RECT> cleared;
    bool any = false;
    for (HostObject& object : run->objects) {
        if (!object.alive || !object.wantsDraw) continue;
        any = true;
        cleared.push_back(ObjectRect(*run, object));
        if (object.drawn) cleared.push_back(object.lastRect);
    }
    if (!any) return;
    for (bool grew = true; grew;) {
        grew = false;
        for (HostObject& object : run->objects) {
            if (!object.alive || object.wantsDraw || !object.drawn) continue;
            for (size_t i = 0; i < cleared.size() && !object.wantsDraw; ++i) {
                if (!Overlap(object.lastRect, cleared[i])) continue;
                object.wantsDraw = true;
                cleared.push_back(object.lastRect);
                cleared.push_back(ObjectRect(*run, object));
                grew = true;
            }
        }
    }
    for (const RECT& area : cleared)
        PaintBackground(run, area);
    for (size_t i = 0; i < run->objects.size(); ++i) {
        HostObject& object = run->objects[i];
        if (!object.alive || !object.wantsDraw) continue;
        object.wantsDraw = false;
        run->context = static_cast<int32_t>(i);
        Log(run, run->context, "display");
        run->module->DisplayRunObject(object.run);
        run->context = -1;
        object.drawn = true;
        object.lastRect = ObjectRect(*run, object);
        SettleGraphics(run, static_cast<int32_t>(i));
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

} // namespace

ClockMoment HostNow(const HostRun& run) {
    if (run.options.realClock) {
        SYSTEMTIME now;
        GetLocalTime(&now);
        return MomentOf(now);
    }
    return MomentOf(hostclock::Now());
}

bool StartRun(HostRun* run, const Scenario& scenario, const ModuleBinding& module,
              const RunOptions& options, std::string* error) {
    if (g_run) {
        *error = "another run is in progress";
        return false;
    }
    run->scenario = &scenario;
    run->module = &module;
    run->options = options;
    run->log = EventLog{options.logStream, options.format};
    run->surface = HrSurfaceCreate(scenario.width, scenario.height);
    run->fontBank = HrFontBankCreate();
    if (!run->surface || !run->fontBank) {
        *error = "cannot make a " + std::to_string(scenario.width) + " x " +
                 std::to_string(scenario.height) + " surface";
        if (run->surface) HrSurfaceDestroy(run->surface);
        if (run->fontBank) HrFontBankDestroy(run->fontBank);
        return false;
    }
    HrSurfaceFill(run->surface, scenario.background);
    DrawLabels(run->surface, scenario.labels);
    run->header.surface = run->surface;
    run->header.fontBank = run->fontBank;
    run->header.displayOriginX = scenario.originX;
    run->header.displayOriginY = scenario.originY;
    run->header.HostPushEvent = HostPushEventCallback;
    run->header.HostEraseObject = HostEraseObjectCallback;
    run->header.HostRedisplay = HostRedisplayCallback;
    run->header.eventCount = scenario.eventCountStart;
    g_run = run;

    if (!options.realClock) {
        if (!hostclock::Install(module.module)) {
            *error = "the module does not read the clock with GetLocalTime and SetLocalTime";
            g_run = nullptr;
            HrSurfaceDestroy(run->surface);
            HrFontBankDestroy(run->fontBank);
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
    }
    // On top of the simulated clock, or of Windows' own with --real-clock.
    imports::Chain(module.module, "kernel32.dll", "SetLocalTime", &LoggedSetLocalTime,
                   &g_nextSetLocalTime);
    imports::Chain(module.module, "user32.dll", "SendMessageA", &LoggedSendMessageA,
                   &g_nextSendMessage);
    gdiaccount::Reset();
    gdiaccount::Install(module.module);
    SaveAndWriteProfile(run);

    // First, which module the log is about: two builds differ in their version.
    std::string version = ReadModuleVersion(module.path);
    LogText(run, -1, "module", module.path.substr(module.path.find_last_of("\\/") + 1),
            version.empty() ? "no version resource" : version);

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
            PauseAll(run);
            break;
        case StepKind::Resume:
            ResumeAll(run);
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
        for (size_t i = 0; i < run->objects.size(); ++i) {
            HostObject& object = run->objects[i];
            if (!object.alive) continue;
            run->context = static_cast<int32_t>(i);
            if (run->module->HandleRunObject(object.run) == 2) object.wantsDraw = true;
            run->context = -1;
        }
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
    if (run->paused) ResumeAll(run);
    for (size_t i = 0; i < run->objects.size(); ++i) {
        HostObject& object = run->objects[i];
        if (!object.alive) continue;
        run->context = static_cast<int32_t>(i);
        Log(run, run->context, "destroy");
        run->module->DestroyRunObject(object.run, 0);
        run->context = -1;
        object.alive = false;
    }
    SettleGraphics(run, -1); // anything made or borrowed outside a draw
    run->recordings.clear(); // a run cut short leaves no frame file
    int32_t live = HrFontBankLiveCount(run->fontBank);
    if (live != 0) Fault(run, -1, std::to_string(live) + " host fonts not given back");
    RestoreProfile(run);
    imports::RestoreAll(run->module->module);
    HrSurfaceDestroy(run->surface);
    HrFontBankDestroy(run->fontBank);
    run->surface = nullptr;
    run->fontBank = nullptr;
    g_run = nullptr;
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
