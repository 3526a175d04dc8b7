// The conformance table's machine under Wine: the real calls, with the
// strings of the real CHRONYX.dll, the profile of the build's prefix and a
// surface of the reference HOSTRUN.
#include "host/hostrun/hostrun_host.h"
#include "tests/conformance/conformance_machine.h"
#include "tests/wine/wine_fixture.h"

namespace conformance {

HINSTANCE StringModule() {
    return wine::Chronyx();
}

void SetIntl(const char* key, const char* value) {
    WriteProfileStringA("Intl", key, value);
}

HostSurface* Surface() {
    static HostSurface* const surface = HrSurfaceCreate(8, 8);
    return surface;
}

// A context made and deleted at once: its handle names nothing any more.
HDC NeverLentDC() {
    static const HDC gone = [] {
        HDC dc = CreateCompatibleDC(nullptr);
        DeleteDC(dc);
        return dc;
    }();
    return gone;
}

bool IsLive(HGDIOBJ object) {
    return GetObjectType(object) != 0;
}

} // namespace conformance
