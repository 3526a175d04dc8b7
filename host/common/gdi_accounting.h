// Accounts for the Windows graphics objects a loaded module makes, selects
// and deletes, and for the device contexts the host lends it, by standing in
// its imports of those calls. Over a stretch of calls (one draw), whatever
// the module made or was handed must be gone by the end, nothing else may be
// deleted, nothing deleted while still selected into a context it holds, and
// every context lent must be given back holding the pen, brush and font it
// held when lent. The Wine tests and the reference host settle it after every
// draw; a call can be made to fail, to see the module cope.
#pragma once

#include <string>
#include <vector>

#include <windows.h>

namespace gdiaccount {

// The imports stood in: Windows' and HOSTRUN's.
enum class Call {
    kCreatePen,
    kGetStockObject,
    kSelectObject,
    kDeleteObject,
    kHostFontGetGdiFont,
    kHostGetSurfaceDC,
    kHostReleaseSurfaceDC,
    kHostBeginGdiDraw,
    kHostEndGdiDraw,
};
constexpr int kCallCount = 9;

const char* NameOf(Call call);

// Chains the accounting into `module`'s imports of every call above, on top
// of what each holds now (through imports::Chain, so that RestoreAll takes it
// off); once per module until then. False when an import is missing; the
// others are chained still.
bool Install(HMODULE module);

// While set, `call` is not passed on and answers as it does when it fails: a
// null handle, or FALSE from DeleteObject (the accounting then deletes the
// object itself at the next Settle). The calls that give a context back
// answer nothing and cannot fail.
void SetFailing(Call call, bool failing);

// Each promise broken since the last Settle or Reset, as a sentence, after
// checking that everything made was deleted and every loan given back. What
// was made and lent is then forgotten; failing calls stay failing.
std::vector<std::string> Settle();

// Forgets everything and fails nothing.
void Reset();

} // namespace gdiaccount
