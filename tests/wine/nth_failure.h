// Makes the nth acquiring call of the loaded CHRONYX.dll fail, whichever it
// is, by chaining in front of its imports of them (on top of the clock and the
// graphics accounting): the Windows side of the simulated machine's switch,
// over the same list.
#pragma once

#include <windows.h>

namespace nthfail {

enum class Acquiring {
#define CHX_ACQUIRING_CALL(name, failure) k##name,
#include "simulated_machine/acquiring_calls.inc"
#undef CHX_ACQUIRING_CALL
    kCount
};
const char* NameOf(Acquiring call); // "none" for kCount

// Chains every acquiring import of `module`; wine::RestoreImports takes them
// off. False when one is missing; the others are chained still.
bool Install(HMODULE module);

// From now on the nth acquiring call (1 = the next) fails as the list says;
// 0 fails none. Counting starts again.
void FailNth(int n);
int Calls();        // acquiring calls since FailNth, the failed one included
Acquiring Failed(); // what the switch failed, kCount while nothing
} // namespace nthfail
