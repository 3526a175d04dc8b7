// The conformance table's machine under Wine: the real calls, with the
// strings of the real CHRONYX.dll and the profile of the build's prefix.
#include "tests/conformance/conformance_machine.h"
#include "tests/wine/wine_fixture.h"

namespace conformance {

HINSTANCE StringModule() {
    return wine::Chronyx();
}

void SetIntl(const char* key, const char* value) {
    WriteProfileStringA("Intl", key, value);
}

} // namespace conformance
