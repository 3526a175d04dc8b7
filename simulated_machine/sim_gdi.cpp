// The simulated graphics interface: records every call, hands out distinct
// handles, and keeps what each device context has selected, so tests can see
// that a draw puts back what it found and deletes what it made.
#include <cstring>

#include "simulated_machine/sim_state.h"

namespace {

int64_t H(const void* h) {
    return static_cast<int64_t>(reinterpret_cast<uintptr_t>(h));
}

} // namespace

extern "C" HPEN WINAPI CreatePen(int style, int width, COLORREF colour) {
    if (sim::Fails(sim::Acquiring::kCreatePen)) {
        sim::Record("CreatePen", {style, width, colour, 0}, nullptr, true);
        return nullptr;
    }
    uintptr_t h = sim::NewHandle();
    sim::state().liveGdi.insert(h);
    sim::Record("CreatePen", {style, width, colour, static_cast<int64_t>(h)});
    return reinterpret_cast<HPEN>(h);
}

extern "C" HGDIOBJ WINAPI GetStockObject(int which) {
    const bool fails = sim::Fails(sim::Acquiring::kGetStockObject);
    sim::Record("GetStockObject", {which}, nullptr, fails);
    if (fails) return nullptr;
    return reinterpret_cast<HGDIOBJ>(sim::kStockBase + static_cast<uintptr_t>(which));
}

// Pens, brushes and fonts go to their own slot. Nothing goes into a context
// not handed out, nor a null object. Putting back what a context came with
// never fails; putting anything else in may.
extern "C" HGDIOBJ WINAPI SelectObject(HDC dc, HGDIOBJ object) {
    auto it = sim::state().dcs.find(reinterpret_cast<uintptr_t>(dc));
    const uintptr_t h = reinterpret_cast<uintptr_t>(object);
    const bool known = it != sim::state().dcs.end() && object;
    const bool putsBack =
        h == sim::kOriginalPen || h == sim::kOriginalBrush || h == sim::kOriginalFont;
    const bool fails = known && !putsBack && sim::Fails(sim::Acquiring::kSelectObject);
    sim::Record("SelectObject", {H(dc), H(object)}, nullptr, fails);
    if (!known || fails) return nullptr;
    sim::DcState& s = it->second;
    const sim::Slot kind = sim::SlotOf(h);
    HGDIOBJ* slot = kind == sim::Slot::kBrush  ? &s.brush
                    : kind == sim::Slot::kFont ? &s.font
                                               : &s.pen;
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
    if (sim::IsStock(h)) return TRUE;
    return sim::state().liveGdi.erase(h) ? TRUE : FALSE;
}

extern "C" BOOL WINAPI GetTextExtentPointA(HDC dc, LPCSTR text, int length, LPSIZE size) {
    std::string t(text, static_cast<size_t>(length > 0 ? length : 0));
    const bool fails = sim::Fails(sim::Acquiring::kGetTextExtentPointA);
    sim::Record("GetTextExtentPointA", {H(dc), length}, t.c_str(), fails);
    if (fails) return FALSE;
    if (sim::state().measure) {
        *size = sim::state().measure(text, length);
    } else {
        size->cx = 8 * length;
        size->cy = 16;
    }
    return TRUE;
}
