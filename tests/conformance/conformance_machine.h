// What each suite supplies to the conformance table: natively the simulated
// machine, under Wine the real one with CHRONYX.dll's own strings.
#pragma once

#include "winapi/windows_api.h"

namespace conformance {

// The module whose string table LoadStringA reads.
HINSTANCE StringModule();
// Sets (or, with a null value, removes) a value of the profile's "Intl".
void SetIntl(const char* key, const char* value);

} // namespace conformance
