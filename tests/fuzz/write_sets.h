// Which bytes of the run data each kind of call may change. A call that
// writes anywhere else, even inside the record, is a fault: the conditions
// and expressions change nothing, a draw only leaves the face points, an
// action only its own fields.
#pragma once

#include <cstdint>

#include "core/records.h"
#include "tests/fuzz/call_checks.h"

namespace fuzz {

struct RunSnapshot {
    uint8_t bytes[sizeof(RunData)];
};

void TakeSnapshot(RunSnapshot* snapshot, const RunData* run);

// Fails the input on the first changed byte outside the call's write set.
void CheckWriteSet(const CallContext& context, const RunSnapshot& before, const RunData* after);

} // namespace fuzz
