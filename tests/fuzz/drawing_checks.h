// The checks of a draw: device contexts taken and given back, what is
// selected into them, the Windows fonts and pens made and deleted, and what
// is drawn on the host's surface.
#pragma once

#include <cstdint>
#include <vector>

#include "simulated_machine/sim_machine.h"
#include "tests/fuzz/call_checks.h"
#include "tests/fuzz/call_tally.h"

namespace fuzz::calls {

void CheckMadeObject(const CallContext& c, Op op, const std::vector<int64_t>& a, const Owned& o,
                     Tally* t);
void CheckContext(Op op, const char* opName, const std::vector<int64_t>& a, Tally* t);
void CheckContextUse(Op op, const sim::Call& k, Tally* t);
void CheckSurfaceDrawing(Op op, const sim::Call& k, const Owned& o, const Tally& t);

} // namespace fuzz::calls
