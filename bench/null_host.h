// The benchmarks' host: HOSTRUN's operations and the run-header callbacks as
// calls that only count themselves, so that a figure holds the module and the
// simulated machine and no host work. The counts let a floor prove that it
// makes the same host calls as the module call it stands beside.
#pragma once

#include <cstdint>

namespace nullhost {

enum Op {
    kFontCreate,
    kFontDelete,
    kFontGetGdiFont,
    kDrawText,
    kSetPen,
    kDrawLine,
    kDrawFrame,
    kGetSurfaceDC,
    kReleaseSurfaceDC,
    kBeginGdiDraw,
    kEndGdiDraw,
    kMarkChanged,
    kPushEvent,
    kEraseObject,
    kRedisplay,
    kOpCount
};

struct Counts {
    uint64_t calls[kOpCount];
};

extern Counts g_counts;

void ClearCounts();
const char* OpName(int op);

} // namespace nullhost
