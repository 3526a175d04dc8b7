// What one call has done so far, as the checks read its log in order: the
// records the checks of every kind of call share.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>

#include "simulated_machine/sim_handles.h"

namespace fuzz::calls {

constexpr int64_t kOriginalPen = sim::kOriginalPen;
constexpr int64_t kOriginalBrush = sim::kOriginalBrush;
constexpr int64_t kOriginalFont = sim::kOriginalFont;

// The calls the simulated machine logs, by name: the run header's callbacks,
// HOSTRUN's operations and the Windows functions the module may import.
enum class Op {
    kHostPushEvent,
    kHostEraseObject,
    kHostRedisplay,
#define CHX_HOST_OPERATION(result, name, ordinal, argumentBytes, parameters) k##name,
#include "contract/host_operation_list.inc"
#undef CHX_HOST_OPERATION
#define CHX_WINDOWS_IMPORT(library, name) k##name,
#include "resources/windows_imports.inc"
#undef CHX_WINDOWS_IMPORT
    kOther,
};

// Op of a logged call's name; kOther for a call no list names.
Op OpOf(const std::string& name);

enum class DcKind { kMeasuring, kDrawing };

struct Dc {
    DcKind kind;
    int64_t pen = kOriginalPen;
    int64_t brush = kOriginalBrush;
    int64_t font = kOriginalFont;
};

// What one call has done so far, as its log is read in order.
struct Tally {
    std::map<int64_t, Dc> dcs; // taken in this call and not yet given back
    std::set<int64_t> made;    // pens and fonts made in this call and not yet deleted
    int pushes = 0, lastCode = 0;
    int allocs = 0, failedAllocs = 0, frees = 0, fontCreates = 0, erases = 0, fontDeletes = 0;
    int clockWrites = 0, broadcasts = 0, redisplays = 0;
};

// The host and Windows objects a call is entitled to.
struct Owned {
    int64_t surface;
    int64_t bank;
};

} // namespace fuzz::calls
