// The conformance table's machine in the native suite: the simulated one.
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

} // namespace conformance
