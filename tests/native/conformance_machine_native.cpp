// The conformance table's machine in the native suite: the simulated one.
#include "simulated_machine/sim_handles.h"
#include "simulated_machine/sim_machine.h"
#include "tests/conformance/conformance_machine.h"

namespace conformance {

HINSTANCE StringModule() {
    return nullptr; // the simulated machine has the module's strings only
}

void SetIntl(const char* key, const char* value) {
    if (value)
        sim::SetProfileString("Intl", key, value);
    else
        sim::RemoveProfileString("Intl", key);
}

HostSurface* Surface() {
    return sim::TheSurface();
}

HDC NeverLentDC() {
    return reinterpret_cast<HDC>(sim::kFirstMadeHandle); // made handles lie above it
}

bool IsLive(HGDIOBJ object) {
    return sim::IsStock(reinterpret_cast<uintptr_t>(object)) || sim::IsLiveGdiObject(object);
}

} // namespace conformance
