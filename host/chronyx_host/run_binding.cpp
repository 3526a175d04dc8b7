#include "host/chronyx_host/run_binding.h"

#include "host/chronyx_host/run_callbacks.h"
#include "host/common/import_patch.h"

namespace {

HostRun* g_bound = nullptr; // read only by the entry points below

BOOL(WINAPI* g_nextSetLocalTime)(const SYSTEMTIME*) = nullptr;
LRESULT(WINAPI* g_nextSendMessage)(HWND, UINT, WPARAM, LPARAM) = nullptr;

int32_t WINAPI PushEventEntry(void* runData, int32_t code, int32_t) {
    if (g_bound) PushEvent(g_bound, runData, code);
    return 0;
}

int32_t WINAPI EraseObjectEntry(void* runData, int32_t, int32_t) {
    if (g_bound) EraseObject(g_bound, runData);
    return 0;
}

int32_t WINAPI RedisplayEntry(void* runData, int32_t, int32_t) {
    if (g_bound) Redisplay(g_bound, runData);
    return 0;
}

BOOL WINAPI LoggedSetLocalTime(const SYSTEMTIME* time) {
    BOOL accepted = g_nextSetLocalTime(time);
    if (g_bound) LogClockWrite(g_bound, *time, accepted);
    return accepted;
}

LRESULT WINAPI LoggedSendMessageA(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (g_bound) LogMessage(g_bound, window, message);
    return g_nextSendMessage(window, message, w, l);
}

} // namespace

bool BindRun(HostRun* run) {
    if (g_bound) return false;
    g_bound = run;
    run->header.HostPushEvent = PushEventEntry;
    run->header.HostEraseObject = EraseObjectEntry;
    run->header.HostRedisplay = RedisplayEntry;
    return true;
}

void UnbindRun() {
    g_bound = nullptr;
}

void ChainLoggedImports(HMODULE module) {
    imports::Chain(module, "kernel32.dll", "SetLocalTime", &LoggedSetLocalTime,
                   &g_nextSetLocalTime);
    imports::Chain(module, "user32.dll", "SendMessageA", &LoggedSendMessageA, &g_nextSendMessage);
}
