// The surface and font bank every host of the simulated machine hands the
// module, the recording one and the benchmarks' null one alike.
#include "simulated_machine/sim_state.h"

namespace sim {

HostSurface* TheSurface() {
    return reinterpret_cast<HostSurface*>(kSurfaceHandle);
}
HostFontBank* TheFontBank() {
    return reinterpret_cast<HostFontBank*>(kFontBankHandle);
}
RunHeader* TheRunHeader() {
    return &state().runHeader;
}

} // namespace sim
