// The benchmarks' host: HOSTRUN's operations and the run-header callbacks as
// calls that only count themselves, so that a figure holds the module and the
// simulated machine and no host work. The counts let a floor prove that it
// makes the same host calls as the module call it stands beside.
#pragma once

#include <cstdint>

#include "contract/host_services.h"

namespace nullhost {

// HOSTRUN's operations in the order of their list, then the callbacks.
enum Op {
#define CHX_HOST_OPERATION(result, name, ordinal, argumentBytes, parameters) k##name,
#include "contract/host_operation_list.inc"
#undef CHX_HOST_OPERATION
    kHostPushEvent,
    kHostEraseObject,
    kHostRedisplay,
    kOpCount
};

struct Counts {
    uint64_t calls[kOpCount];
};

extern Counts g_counts;

void ClearCounts();
const char* OpName(int op);

} // namespace nullhost
