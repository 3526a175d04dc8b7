// What each suite supplies to the conformance table: natively the simulated
// machine, under Wine the real one with CHRONYX.dll's own strings and the
// reference HOSTRUN's surface.
#pragma once

#include "contract/host_services.h"
#include "winapi/windows_api.h"

namespace conformance {

// The module whose string table LoadStringA reads.
HINSTANCE StringModule();
// Sets (or, with a null value, removes) a value of the profile's "Intl".
void SetIntl(const char* key, const char* value);
// A surface whose device contexts HostGetSurfaceDC lends.
HostSurface* Surface();
// A handle of no device context: none was ever lent under it.
HDC NeverLentDC();
// Whether a pen, brush or font exists (a stock one always does).
bool IsLive(HGDIOBJ object);

} // namespace conformance
