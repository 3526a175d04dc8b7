// One run of a scenario on a loaded module: the frame loop a host drives its
// objects with. Per frame: the timeline's steps, HandleRunObject for every
// object, the event loop (each pushed event answered by the condition of the
// same number, then the scenario's event lines), eventCount moving on, the
// drawing of every object that asked for it, snapshots, and the clock moving
// on by one frame.
#pragma once

#include <cstdint>
#include <cstdio>
#include <deque>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "host/chronyx_host/event_log.h"
#include "host/chronyx_host/frame_recorder.h"
#include "host/chronyx_host/module_binding.h"
#include "host/chronyx_host/scenario.h"

struct RunOptions {
    bool realClock = false; // leave the machine's clock in charge (and pace the frames)
    LogFormat format = LogFormat::Text;
    FILE* logStream = stdout;
    std::string outDir = "out"; // snapshots with a relative name, and recordings, go here
};

struct HostObject {
    std::string name;
    std::vector<uint64_t> storage; // the run data block, zero-filled, 8-byte aligned
    RunData* run = nullptr;
    bool alive = false;     // created and not yet destroyed
    bool wantsDraw = false; // HandleRunObject returned 2, or HostRedisplay was called
    bool drawn = false;     // lastRect holds what the object last drew over
    RECT lastRect{};
};

struct PendingEvent {
    int32_t object;
    int32_t code;
};

struct SavedProfileValue {
    std::string key;
    bool present;
    std::string value;
};

struct HostRun {
    const Scenario* scenario = nullptr;
    const ModuleBinding* module = nullptr;
    RunOptions options;
    EventLog log{};
    RunHeader header{};
    HostSurface* surface = nullptr;
    HostFontBank* fontBank = nullptr;
    std::vector<HostObject> objects;
    std::deque<PendingEvent> events;
    std::vector<SavedProfileValue> savedIntl;
    std::vector<std::unique_ptr<FrameRecorder>> recordings; // begun and not yet finished
    int32_t frame = 0;
    int32_t context = -1; // the object whose code is running, for the lines it causes
    bool paused = false;
    int32_t faults = 0;     // broken promises of the module seen by the host
    std::string firstFault; // and what the first of them was, as logged
    std::string failure;    // why the run could not go on (a snapshot not written)
    int64_t pacingStart = 0;
};

// Sets up the surface, the font bank, the clock and the profile and creates
// every object. False with a message when the host cannot start.
bool StartRun(HostRun* run, const Scenario& scenario, const ModuleBinding& module,
              const RunOptions& options, std::string* error);
// Runs the next frame; false once the run has failed.
bool RunFrame(HostRun* run);
// Resumes a paused run, destroys every object, checks that every font was
// given back, restores the profile and the module's imports.
void FinishRun(HostRun* run);

// StartRun, every frame, FinishRun. Returns the exit status: 0, or 1 when
// the run failed or the module broke a promise of the host contract.
int RunScenario(const Scenario& scenario, const ModuleBinding& module, const RunOptions& options);

// The host's clock as the module sees it.
ClockMoment HostNow(const HostRun& run);
