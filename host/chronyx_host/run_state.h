// The records of one run of a scenario: what the run loop, its callbacks,
// its drawing, its log and its output all read and write. Records only, so
// that each of those parts takes the run as a parameter and none reaches back
// into the run loop for it.
#pragma once

#include <cstdint>
#include <cstdio>
#include <deque>
#include <memory>
#include <string>
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
