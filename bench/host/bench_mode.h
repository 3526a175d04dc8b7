// chronyx-bench-host: many objects of every display type on one frame, run
// for a number of frames with the real graphics interface, timing what the
// module's entry points cost per object and per frame. The objects are made
// together, so they sample on the same frame and, when the clock crosses a
// unit, all of them redraw on that frame: the frame a game must still fit.
#pragma once

#include <cstdint>

#include "host/chronyx_host/module_binding.h"

struct BenchOptions {
    int32_t objectsPerType = 250; // of analog, digital, invisible and calendar each
    int32_t frames = 600;
    int32_t fps = 60;
    bool tableRows = false; // rows of the benchmark table instead of the report
};

// Returns the exit status: 0, or 2 when the host could not start.
int RunBench(const ModuleBinding& module, const BenchOptions& options);
