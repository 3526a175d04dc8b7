#include "host/chronyx_host/run_callbacks.h"

#include "host/chronyx_host/routine_names.h"
#include "host/chronyx_host/run_drawing.h"
#include "host/chronyx_host/run_log.h"
#include "host/common/import_patch.h"

HostRun* g_run = nullptr;

namespace {

BOOL(WINAPI* g_nextSetLocalTime)(const SYSTEMTIME*) = nullptr;
LRESULT(WINAPI* g_nextSendMessage)(HWND, UINT, WPARAM, LPARAM) = nullptr;

int32_t FindObject(const HostRun& run, const void* runData) {
    for (size_t i = 0; i < run.objects.size(); ++i)
        if (run.objects[i].run == runData) return static_cast<int32_t>(i);
    return -1;
}

} // namespace

int32_t WINAPI HostPushEventCallback(void* runData, int32_t code, int32_t) {
    HostRun* run = g_run;
    int32_t object = FindObject(*run, runData);
    std::string name = code >= 0 && code < kConditions.count ? kConditions.names[code] : "";
    LogNumber(run, object, "event", name, code);
    if (object < 0) {
        Fault(run, -1, "an event was pushed for an object the host does not know");
        return 0;
    }
    run->events.push_back(PendingEvent{object, code});
    return 0;
}

int32_t WINAPI HostEraseObjectCallback(void* runData, int32_t, int32_t) {
    HostRun* run = g_run;
    int32_t object = FindObject(*run, runData);
    Log(run, object, "erase");
    if (object < 0) return 0;
    HostObject& target = run->objects[object];
    if (target.drawn) PaintBackground(run, target.lastRect);
    target.drawn = false;
    return 0;
}

int32_t WINAPI HostRedisplayCallback(void* runData, int32_t, int32_t) {
    HostRun* run = g_run;
    int32_t object = FindObject(*run, runData);
    Log(run, object, "redisplay");
    if (object >= 0) run->objects[object].wantsDraw = true;
    return 0;
}

BOOL WINAPI LoggedSetLocalTime(const SYSTEMTIME* time) {
    BOOL accepted = g_nextSetLocalTime(time);
    if (g_run) {
        std::string text = FormatMoment(MomentOf(*time));
        if (!accepted) text += " refused";
        LogText(g_run, g_run->context, "clock", "SetLocalTime", text);
    }
    return accepted;
}

LRESULT WINAPI LoggedSendMessageA(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (g_run) {
        if (window == HWND_BROADCAST && message == WM_TIMECHANGE)
            Log(g_run, g_run->context, "broadcast", "WM_TIMECHANGE");
        else
            LogNumber(g_run, g_run->context, "message", "SendMessageA", message);
    }
    return g_nextSendMessage(window, message, w, l);
}

void ChainLoggedImports(HMODULE module) {
    imports::Chain(module, "kernel32.dll", "SetLocalTime", &LoggedSetLocalTime,
                   &g_nextSetLocalTime);
    imports::Chain(module, "user32.dll", "SendMessageA", &LoggedSendMessageA, &g_nextSendMessage);
}
