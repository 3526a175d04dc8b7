// One switch for the process: the replacements carry no context of their own,
// and the module is called on one thread.
#include "tests/wine/nth_failure.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "contract/host_services.h"
#include "host/common/host_clock.h"
#include "host/common/import_patch.h"

namespace nthfail {

namespace {

struct Switch {
    int failAt = 0;
    int calls = 0;
    Acquiring failed = Acquiring::kCount;
    // What SelectObject handed back: selecting it again puts it back, which
    // never fails.
    std::vector<HGDIOBJ> handedBack;
};

Switch& TheSwitch() {
    static Switch s;
    return s;
}

bool Fails(Acquiring call) {
    Switch& s = TheSwitch();
    if (++s.calls != s.failAt) return false;
    s.failed = call;
    return true;
}

decltype(&::LocalAlloc) g_localAlloc;
decltype(&::HostFontCreate) g_hostFontCreate;
decltype(&::HostFontGetGdiFont) g_hostFontGetGdiFont;
decltype(&::HostGetSurfaceDC) g_hostGetSurfaceDC;
decltype(&::HostBeginGdiDraw) g_hostBeginGdiDraw;
decltype(&::CreatePen) g_createPen;
decltype(&::GetStockObject) g_getStockObject;
decltype(&::SelectObject) g_selectObject;
decltype(&::GetTextExtentPointA) g_getTextExtentPointA;
decltype(&::LoadStringA) g_loadStringA;
decltype(&::GetProfileStringA) g_getProfileStringA;
decltype(&::SetLocalTime) g_setLocalTime;

HLOCAL WINAPI NthLocalAlloc(UINT flags, SIZE_T bytes) {
    return Fails(Acquiring::kLocalAlloc) ? nullptr : g_localAlloc(flags, bytes);
}
uint16_t WINAPI NthHostFontCreate(HostFontBank* bank, uint32_t kind, FontRequest* request,
                                  int32_t a, int32_t b) {
    return Fails(Acquiring::kHostFontCreate) ? 0 : g_hostFontCreate(bank, kind, request, a, b);
}
HFONT WINAPI NthHostFontGetGdiFont(HostFontBank* bank, uint32_t handle) {
    return Fails(Acquiring::kHostFontGetGdiFont) ? nullptr : g_hostFontGetGdiFont(bank, handle);
}
HDC WINAPI NthHostGetSurfaceDC(HostSurface* surface) {
    return Fails(Acquiring::kHostGetSurfaceDC) ? nullptr : g_hostGetSurfaceDC(surface);
}
HDC WINAPI NthHostBeginGdiDraw(HostSurface* surface) {
    return Fails(Acquiring::kHostBeginGdiDraw) ? nullptr : g_hostBeginGdiDraw(surface);
}
HPEN WINAPI NthCreatePen(int style, int width, COLORREF colour) {
    return Fails(Acquiring::kCreatePen) ? nullptr : g_createPen(style, width, colour);
}
HGDIOBJ WINAPI NthGetStockObject(int which) {
    return Fails(Acquiring::kGetStockObject) ? nullptr : g_getStockObject(which);
}
HGDIOBJ WINAPI NthSelectObject(HDC dc, HGDIOBJ object) {
    std::vector<HGDIOBJ>& back = TheSwitch().handedBack;
    const bool putsBack = std::find(back.begin(), back.end(), object) != back.end();
    if (!putsBack && Fails(Acquiring::kSelectObject)) return nullptr;
    HGDIOBJ previous = g_selectObject(dc, object);
    if (previous) back.push_back(previous);
    return previous;
}
BOOL WINAPI NthGetTextExtentPointA(HDC dc, LPCSTR text, int length, LPSIZE size) {
    return !Fails(Acquiring::kGetTextExtentPointA) && g_getTextExtentPointA(dc, text, length, size);
}
int WINAPI NthLoadStringA(HINSTANCE instance, UINT id, LPSTR buffer, int size) {
    return Fails(Acquiring::kLoadStringA) ? 0 : g_loadStringA(instance, id, buffer, size);
}
DWORD WINAPI NthGetProfileStringA(LPCSTR section, LPCSTR key, LPCSTR fallback, LPSTR buffer,
                                  DWORD size) {
    if (!Fails(Acquiring::kGetProfileStringA))
        return g_getProfileStringA(section, key, fallback, buffer, size);
    if (size == 0) return 0;
    lstrcpynA(buffer, fallback ? fallback : "", static_cast<int>(size));
    return static_cast<DWORD>(std::strlen(buffer));
}
BOOL WINAPI NthSetLocalTime(const SYSTEMTIME* time) {
    // As Windows refuses a valid moment to a process without the right.
    if (time && hostclock::IsValid(*time) && Fails(Acquiring::kSetLocalTime)) {
        SetLastError(ERROR_PRIVILEGE_NOT_HELD);
        return FALSE;
    }
    return g_setLocalTime(time);
}

} // namespace

const char* NameOf(Acquiring call) {
    static const char* const kNames[] = {
#define CHX_ACQUIRING_CALL(name, failure) #name,
#include "simulated_machine/acquiring_calls.inc"
#undef CHX_ACQUIRING_CALL
    };
    return call < Acquiring::kCount ? kNames[static_cast<int>(call)] : "none";
}

bool Install(HMODULE module) {
    constexpr char kHostRun[] = "HOSTRUN.dll";
    using namespace host_operations;
    bool all = true;
    all &= imports::Chain(module, "kernel32.dll", "LocalAlloc", &NthLocalAlloc, &g_localAlloc);
    all &= imports::Chain(module, kHostRun, MAKEINTRESOURCEA(kHostFontCreate), &NthHostFontCreate,
                          &g_hostFontCreate);
    all &= imports::Chain(module, kHostRun, MAKEINTRESOURCEA(kHostFontGetGdiFont),
                          &NthHostFontGetGdiFont, &g_hostFontGetGdiFont);
    all &= imports::Chain(module, kHostRun, MAKEINTRESOURCEA(kHostGetSurfaceDC),
                          &NthHostGetSurfaceDC, &g_hostGetSurfaceDC);
    all &= imports::Chain(module, kHostRun, MAKEINTRESOURCEA(kHostBeginGdiDraw),
                          &NthHostBeginGdiDraw, &g_hostBeginGdiDraw);
    all &= imports::Chain(module, "gdi32.dll", "CreatePen", &NthCreatePen, &g_createPen);
    all &= imports::Chain(module, "gdi32.dll", "GetStockObject", &NthGetStockObject,
                          &g_getStockObject);
    all &= imports::Chain(module, "gdi32.dll", "SelectObject", &NthSelectObject, &g_selectObject);
    all &= imports::Chain(module, "gdi32.dll", "GetTextExtentPointA", &NthGetTextExtentPointA,
                          &g_getTextExtentPointA);
    all &= imports::Chain(module, "user32.dll", "LoadStringA", &NthLoadStringA, &g_loadStringA);
    all &= imports::Chain(module, "kernel32.dll", "GetProfileStringA", &NthGetProfileStringA,
                          &g_getProfileStringA);
    all &=
        imports::Chain(module, "kernel32.dll", "SetLocalTime", &NthSetLocalTime, &g_setLocalTime);
    return all;
}

void FailNth(int n) {
    TheSwitch() = Switch{};
    TheSwitch().failAt = n;
}

int Calls() {
    return TheSwitch().calls;
}

Acquiring Failed() {
    return TheSwitch().failed;
}

} // namespace nthfail
