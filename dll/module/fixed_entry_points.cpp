// The entry points that answer fixed values: the host's editor calls most of
// them, and this build serves the running game only, so each gives its answer
// from the list and touches nothing. GetInfos and PutObject, which look at or
// write through their arguments, are written out.
#include "contract/entry_points.h"
#include "core/records.h"

static_assert(kRunDataSize == sizeof(RunData));

extern "C" {
#define CHX_FIXED_ENTRY(result, name, ordinal, arguments, answer)                                  \
    result WINAPI name(CHX_EDITOR_ARGS_##arguments) {                                              \
        return static_cast<result>(answer);                                                        \
    }
#define CHX_OWN_ENTRY(result, name, ordinal, arguments, parameters)
#include "contract/entry_point_list.inc"
#undef CHX_FIXED_ENTRY
#undef CHX_OWN_ENTRY

uint32_t WINAPI GetInfos(EditorArg which) {
    return which == 0 ? kGetInfosAnswer : 0;
}

void WINAPI PutObject(EditorArg, int16_t* out, EditorArg, EditorArg) {
    *out = 0;
}
}
