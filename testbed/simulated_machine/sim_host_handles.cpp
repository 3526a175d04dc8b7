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

void WireRunHeader(HostCallback pushEvent, HostCallback eraseObject, HostCallback redisplay) {
    RunHeader& rh = state().runHeader;
    rh = RunHeader{};
    rh.surface = TheSurface();
    rh.fontBank = TheFontBank();
    rh.HostPushEvent = pushEvent;
    rh.HostEraseObject = eraseObject;
    rh.HostRedisplay = redisplay;
}

} // namespace sim
