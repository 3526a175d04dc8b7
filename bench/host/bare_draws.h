// The bare calls of one draw of each kind, with their arguments ready: the
// graphics interface and host work that a draw cannot do without, which
// chronyx-host --bench times beside the module's own draw.
#pragma once

#include <cstdint>

#include "contract/edit_data.h"
#include "host/hostrun/hostrun_host.h"

struct BareContext {
    HostSurface* surface;
    HostFontBank* fonts;
    HINSTANCE module;
    const EditData* edit; // the settings of the objects of the kind, for their colours
    uint16_t font;        // registered here from the same description as the objects'
    RECT rect;
};

// The font a host would register for an object of this kind, as the module
// asks for it: the bare calls draw with an equal one rather than reaching into
// the object's run data, which is the module's.
uint16_t RegisterFontLike(HostFontBank* fonts, const EditData& edit, int32_t type);

typedef void (*BareDraw)(const BareContext&);
// Null for the invisible kind, which draws nothing.
BareDraw BareDrawFor(int32_t type);
