#include "bench/null_host.h"

#include <cstring>

#include "simulated_machine/sim_state.h"

namespace {

HostSurface* const kSurface = reinterpret_cast<HostSurface*>(sim::kSurfaceHandle);
HostFontBank* const kFontBank = reinterpret_cast<HostFontBank*>(sim::kFontBankHandle);
HFONT const kFont = reinterpret_cast<HFONT>(uintptr_t{0x7000} | sim::kFontBit);
HDC const kDc = reinterpret_cast<HDC>(uintptr_t{0x8000});

inline void Count(nullhost::Op op) {
    ++nullhost::g_counts.calls[op];
}

int32_t WINAPI PushEvent(void*, int32_t, int32_t) {
    Count(nullhost::kPushEvent);
    return 0;
}
int32_t WINAPI EraseObject(void*, int32_t, int32_t) {
    Count(nullhost::kEraseObject);
    return 0;
}
int32_t WINAPI Redisplay(void*, int32_t, int32_t) {
    Count(nullhost::kRedisplay);
    return 0;
}

} // namespace

namespace nullhost {

Counts g_counts;

void ClearCounts() {
    std::memset(&g_counts, 0, sizeof g_counts);
}

const char* OpName(int op) {
    static const char* const kNames[kOpCount] = {
        "HostFontCreate",       "HostFontDelete",   "HostFontGetGdiFont", "HostDrawText",
        "HostSetPen",           "HostDrawLine",     "HostDrawFrame",      "HostGetSurfaceDC",
        "HostReleaseSurfaceDC", "HostBeginGdiDraw", "HostEndGdiDraw",     "HostMarkChanged",
        "HostPushEvent",        "HostEraseObject",  "HostRedisplay"};
    return op >= 0 && op < kOpCount ? kNames[op] : "?";
}

} // namespace nullhost

// The simulated machine's host controls, answered by the null host.
namespace sim {

void ResetHost() {
    RunHeader& rh = state().runHeader;
    rh = RunHeader{};
    rh.surface = kSurface;
    rh.fontBank = kFontBank;
    rh.HostPushEvent = PushEvent;
    rh.HostEraseObject = EraseObject;
    rh.HostRedisplay = Redisplay;
}

void FailFontCreate(bool) {}
void FailGdiFont(bool) {}
int LiveHostFonts() {
    return 0;
}
FontRequest LastFontRequest() {
    return FontRequest{};
}
HostSurface* TheSurface() {
    return kSurface;
}
HostFontBank* TheFontBank() {
    return kFontBank;
}
RunHeader* TheRunHeader() {
    return &state().runHeader;
}

} // namespace sim

extern "C" {

uint16_t WINAPI HostFontCreate(HostFontBank*, uint32_t, FontRequest*, int32_t, int32_t) {
    Count(nullhost::kFontCreate);
    return 1;
}
void WINAPI HostFontDelete(HostFontBank*, uint32_t) {
    Count(nullhost::kFontDelete);
}
HFONT WINAPI HostFontGetGdiFont(HostFontBank*, uint32_t) {
    Count(nullhost::kFontGetGdiFont);
    return kFont;
}
void WINAPI HostDrawText(HostSurface*, HFONT, const RECT*, const char*, COLORREF, uint32_t) {
    Count(nullhost::kDrawText);
}
void WINAPI HostSetPen(HostSurface*, COLORREF, int32_t, int32_t) {
    Count(nullhost::kSetPen);
}
void WINAPI HostDrawLine(HostSurface*, const POINT*, const POINT*, int32_t) {
    Count(nullhost::kDrawLine);
}
void WINAPI HostDrawFrame(HostSurface*, const RECT*) {
    Count(nullhost::kDrawFrame);
}
HDC WINAPI HostGetSurfaceDC(HostSurface*) {
    Count(nullhost::kGetSurfaceDC);
    return kDc;
}
void WINAPI HostReleaseSurfaceDC(HostSurface*, HDC) {
    Count(nullhost::kReleaseSurfaceDC);
}
HDC WINAPI HostBeginGdiDraw(HostSurface*) {
    Count(nullhost::kBeginGdiDraw);
    return kDc;
}
void WINAPI HostEndGdiDraw(HostSurface*, HDC) {
    Count(nullhost::kEndGdiDraw);
}
void WINAPI HostMarkChanged(HostSurface*, const RECT*) {
    Count(nullhost::kMarkChanged);
}
}
