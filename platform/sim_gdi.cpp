// The simulated graphics interface: records every call, hands out distinct
// handles, and keeps what each device context has selected, so tests can see
// that a draw puts back what it found and deletes what it made.
#include <cstring>

#include "platform/sim_state.h"

namespace {

constexpr uintptr_t kStockBase = 0x100;

int64_t H(const void* h) {
    return static_cast<int64_t>(reinterpret_cast<uintptr_t>(h));
}

bool IsStock(uintptr_t h) {
    return h >= kStockBase && h < kStockBase + 32;
}

} // namespace

extern "C" HPEN WINAPI CreatePen(int style, int width, COLORREF colour) {
    uintptr_t h = sim::NewHandle();
    sim::state().liveGdi.insert(h);
    sim::Record("CreatePen", {style, width, colour, static_cast<int64_t>(h)});
    return reinterpret_cast<HPEN>(h);
}

extern "C" HGDIOBJ WINAPI GetStockObject(int which) {
    sim::Record("GetStockObject", {which});
    return reinterpret_cast<HGDIOBJ>(kStockBase + static_cast<uintptr_t>(which));
}

// Pens, brushes and fonts go to their own slot; kind is told by the handle's
// origin: stock brush, a font from the host, or anything else taken as a pen.
extern "C" HGDIOBJ WINAPI SelectObject(HDC dc, HGDIOBJ object) {
    sim::Record("SelectObject", {H(dc), H(object)});
    auto it = sim::state().dcs.find(reinterpret_cast<uintptr_t>(dc));
    if (it == sim::state().dcs.end()) return nullptr;
    uintptr_t h = reinterpret_cast<uintptr_t>(object);
    sim::DcState& s = it->second;
    HGDIOBJ* slot = &s.pen;
    if (h == kStockBase + NULL_BRUSH || h == 0x20 /* default brush */)
        slot = &s.brush;
    else if (h & 0x8)
        slot = &s.font; // fonts carry bit 3, see NewFontHandle
    HGDIOBJ previous = *slot;
    *slot = object;
    return previous;
}

extern "C" BOOL WINAPI Ellipse(HDC dc, int left, int top, int right, int bottom) {
    sim::Record("Ellipse", {H(dc), left, top, right, bottom});
    return TRUE;
}

extern "C" BOOL WINAPI DeleteObject(HGDIOBJ object) {
    sim::Record("DeleteObject", {H(object)});
    uintptr_t h = reinterpret_cast<uintptr_t>(object);
    if (IsStock(h)) return TRUE;
    return sim::state().liveGdi.erase(h) ? TRUE : FALSE;
}

extern "C" BOOL WINAPI GetTextExtentPointA(HDC dc, LPCSTR text, int length, LPSIZE size) {
    std::string t(text, static_cast<size_t>(length > 0 ? length : 0));
    sim::Record("GetTextExtentPointA", {H(dc), length}, t.c_str());
    if (sim::state().measure) {
        *size = sim::state().measure(text, length);
    } else {
        size->cx = 8 * length;
        size->cy = 16;
    }
    return TRUE;
}
