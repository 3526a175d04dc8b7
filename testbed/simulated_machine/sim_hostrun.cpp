// The recording host: HOSTRUN's operations and the run-header callbacks as the
// native build sees them. Each call is appended to the call log; fonts and
// device contexts are counted so that leaks show.
#include <cstring>

#include "simulated_machine/sim_state.h"

namespace {

int64_t H(const void* h) {
    return static_cast<int64_t>(reinterpret_cast<uintptr_t>(h));
}

HDC NewDc(const char* op, sim::Acquiring kind) {
    if (sim::Fails(kind)) {
        sim::Record(op, {0}, nullptr, true);
        return nullptr;
    }
    uintptr_t h = sim::NewHandle();
    sim::state().dcs[h] = sim::DcState{reinterpret_cast<HGDIOBJ>(sim::kOriginalPen),
                                       reinterpret_cast<HGDIOBJ>(sim::kOriginalBrush),
                                       reinterpret_cast<HGDIOBJ>(sim::kOriginalFont)};
    sim::Record(op, {static_cast<int64_t>(h)});
    return reinterpret_cast<HDC>(h);
}

void GiveBackDc(const char* op, HDC dc) {
    sim::Record(op, {H(dc)});
    sim::state().dcs.erase(reinterpret_cast<uintptr_t>(dc));
}

int32_t WINAPI PushEvent(void* object, int32_t a, int32_t b) {
    sim::Record("HostPushEvent", {H(object), a, b});
    return 0;
}
int32_t WINAPI EraseObject(void* object, int32_t a, int32_t b) {
    sim::Record("HostEraseObject", {H(object), a, b});
    return 0;
}
int32_t WINAPI Redisplay(void* object, int32_t a, int32_t b) {
    sim::Record("HostRedisplay", {H(object), a, b});
    return 0;
}

} // namespace

namespace sim {

void ResetHost() {
    WireRunHeader(PushEvent, EraseObject, Redisplay);
}

void FailFontCreate(bool fail) {
    state().failFontCreate = fail;
}
void FailGdiFont(bool fail) {
    state().failGdiFont = fail;
}
int LiveHostFonts() {
    return static_cast<int>(state().liveFonts.size());
}
FontRequest LastFontRequest() {
    return state().lastRequest;
}

} // namespace sim

extern "C" {

uint16_t WINAPI HostFontCreate(HostFontBank* bank, uint32_t kind, FontRequest* request, int32_t a,
                               int32_t b) {
    const bool fails = sim::Fails(sim::Acquiring::kHostFontCreate, sim::state().failFontCreate);
    sim::Record("HostFontCreate", {H(bank), kind, a, b}, request->style, fails);
    std::memcpy(&sim::state().lastRequest, request, sizeof(FontRequest));
    if (fails) return 0;
    uint16_t handle = sim::state().nextFont++;
    sim::state().liveFonts.insert(handle);
    return handle;
}

void WINAPI HostFontDelete(HostFontBank* bank, uint32_t handle) {
    sim::Record("HostFontDelete", {H(bank), handle});
    sim::state().liveFonts.erase(static_cast<uint16_t>(handle));
}

HFONT WINAPI HostFontGetGdiFont(HostFontBank* bank, uint32_t handle) {
    const bool fails = sim::Fails(sim::Acquiring::kHostFontGetGdiFont, sim::state().failGdiFont);
    if (fails || !sim::state().liveFonts.count(static_cast<uint16_t>(handle))) {
        sim::Record("HostFontGetGdiFont", {H(bank), handle, 0}, nullptr, fails);
        return nullptr;
    }
    uintptr_t h = sim::NewHandle() | sim::kFontBit;
    sim::state().liveGdi.insert(h);
    sim::Record("HostFontGetGdiFont", {H(bank), handle, static_cast<int64_t>(h)});
    return reinterpret_cast<HFONT>(h);
}

void WINAPI HostDrawText(HostSurface* surface, HFONT font, const RECT* r, const char* text,
                         COLORREF colour, uint32_t flags) {
    sim::Record("HostDrawText",
                {H(surface), H(font), r->left, r->top, r->right, r->bottom, colour, flags}, text);
}

void WINAPI HostSetPen(HostSurface* surface, COLORREF colour, int32_t style, int32_t width) {
    sim::Record("HostSetPen", {H(surface), colour, style, width});
}

void WINAPI HostDrawLine(HostSurface* surface, const POINT* from, const POINT* to, int32_t mode) {
    sim::Record("HostDrawLine", {H(surface), from->x, from->y, to->x, to->y, mode});
}

void WINAPI HostDrawFrame(HostSurface* surface, const RECT* r) {
    sim::Record("HostDrawFrame", {H(surface), r->left, r->top, r->right, r->bottom});
}

HDC WINAPI HostGetSurfaceDC(HostSurface*) {
    return NewDc("HostGetSurfaceDC", sim::Acquiring::kHostGetSurfaceDC);
}
void WINAPI HostReleaseSurfaceDC(HostSurface*, HDC dc) {
    GiveBackDc("HostReleaseSurfaceDC", dc);
}
HDC WINAPI HostBeginGdiDraw(HostSurface*) {
    return NewDc("HostBeginGdiDraw", sim::Acquiring::kHostBeginGdiDraw);
}
void WINAPI HostEndGdiDraw(HostSurface*, HDC dc) {
    GiveBackDc("HostEndGdiDraw", dc);
}

void WINAPI HostMarkChanged(HostSurface* surface, const RECT* r) {
    sim::Record("HostMarkChanged", {H(surface), r->left, r->top, r->right, r->bottom});
}
}
