// The simulated graphics interface: records every call, hands out distinct
// handles, and keeps what each device context has selected, so tests can see
// that a draw puts back what it found and deletes what it made. Where the
// counts depend on it, it answers as Windows does: an object deleted while
// selected lives on until it is selected out, and a context the host has not
// lent selects and measures nothing.
#include <cstring>

#include "simulated_machine/sim_state.h"

namespace {

int64_t H(const void* h) {
    return static_cast<int64_t>(reinterpret_cast<uintptr_t>(h));
}

sim::DcState* LentDc(HDC dc) {
    auto it = sim::state().dcs.find(reinterpret_cast<uintptr_t>(dc));
    return it == sim::state().dcs.end() ? nullptr : &it->second;
}

bool IsSelectedAnywhere(uintptr_t h) {
    for (const auto& [dc, s] : sim::state().dcs)
        for (HGDIOBJ selected : {s.pen, s.brush, s.font})
            if (reinterpret_cast<uintptr_t>(selected) == h) return true;
    return false;
}

// A made handle that is no longer live names nothing.
bool IsDeleted(uintptr_t h) {
    return h >= sim::kFirstMadeHandle && !sim::state().liveGdi.count(h);
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
    sim::DcState* s = LentDc(dc);
    const uintptr_t h = reinterpret_cast<uintptr_t>(object);
    const bool takes = s && object && !IsDeleted(h);
    const bool putsBack =
        h == sim::kOriginalPen || h == sim::kOriginalBrush || h == sim::kOriginalFont;
    const bool fails = takes && !putsBack && sim::Fails(sim::Acquiring::kSelectObject);
    sim::Record("SelectObject", {H(dc), H(object)}, nullptr, fails);
    if (!takes || fails) return nullptr;
    const sim::Slot kind = sim::SlotOf(h);
    HGDIOBJ* slot = kind == sim::Slot::kBrush  ? &s->brush
                    : kind == sim::Slot::kFont ? &s->font
                                               : &s->pen;
    HGDIOBJ previous = *slot;
    *slot = object;
    const uintptr_t out = reinterpret_cast<uintptr_t>(previous);
    if (sim::state().deletedWhileSelected.count(out) && !IsSelectedAnywhere(out)) {
        sim::state().deletedWhileSelected.erase(out);
        sim::state().liveGdi.erase(out);
    }
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
    if (!sim::state().liveGdi.count(h)) return FALSE;
    if (IsSelectedAnywhere(h))
        sim::state().deletedWhileSelected.insert(h);
    else
        sim::state().liveGdi.erase(h);
    return TRUE;
}

extern "C" BOOL WINAPI GetTextExtentPointA(HDC dc, LPCSTR text, int length, LPSIZE size) {
    std::string t(text, static_cast<size_t>(length > 0 ? length : 0));
    // A context not lent measures nothing, and fails on its own.
    const bool lent = LentDc(dc) != nullptr;
    const bool fails = lent && sim::Fails(sim::Acquiring::kGetTextExtentPointA);
    sim::Record("GetTextExtentPointA", {H(dc), length}, t.c_str(), fails);
    if (!lent || fails) return FALSE;
    if (sim::state().measure) {
        *size = sim::state().measure(text, length);
    } else {
        size->cx = 8 * length;
        size->cy = 16;
    }
    return TRUE;
}
