// The bare calls of one draw of each kind, with their arguments ready: the
// graphics interface and host work that a draw cannot do without, which
// chronyx-bench-host times beside the module's own draw.
#pragma once

#include <cstdint>

#include "bench/bare_calls.h"
#include "contract/edit_data.h"
#include "host/hostrun/hostrun_host.h"

struct BareContext {
    bare::Target target;  // its font registered here from the same description as the objects'
    const EditData* edit; // the settings of the objects of the kind, for their colours
    bare::Dial dial;      // for the analog kind
};

// The font a host would register for an object of this kind, as the module
// asks for it: the bare calls draw with an equal one rather than reaching into
// the object's run data, which is the module's. The caller deletes
// context.target.font.
BareContext BareContextFor(HostSurface* surface, HostFontBank* fonts, HINSTANCE module,
                           const EditData& edit, int32_t type, const RECT& rect);

typedef void (*BareDraw)(const BareContext&);
// Null for the invisible kind, which draws nothing.
BareDraw BareDrawFor(int32_t type);
