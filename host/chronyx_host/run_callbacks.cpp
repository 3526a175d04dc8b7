#include "host/chronyx_host/run_callbacks.h"

#include "host/chronyx_host/routine_names.h"
#include "host/chronyx_host/run_clock.h"
#include "host/chronyx_host/run_drawing.h"
#include "host/chronyx_host/run_log.h"

namespace {

int32_t FindObject(const HostRun& run, const void* runData) {
    for (size_t i = 0; i < run.objects.size(); ++i)
        if (run.objects[i].run == runData) return static_cast<int32_t>(i);
    return -1;
}

} // namespace

void PushEvent(HostRun* run, const void* runData, int32_t code) {
    int32_t object = FindObject(*run, runData);
    std::string name = code >= 0 && code < kConditions.count ? kConditions.names[code] : "";
    LogNumber(run, object, "event", name, code);
    if (object < 0) {
        Fault(run, -1, "an event was pushed for an object the host does not know");
        return;
    }
    run->events.push_back(PendingEvent{object, code});
}

void EraseObject(HostRun* run, const void* runData) {
    int32_t object = FindObject(*run, runData);
    Log(run, object, "erase");
    if (object < 0) return;
    HostObject& target = run->objects[object];
    if (target.drawn) PaintBackground(run, target.lastRect);
    target.drawn = false;
}

void Redisplay(HostRun* run, const void* runData) {
    int32_t object = FindObject(*run, runData);
    Log(run, object, "redisplay");
    if (object >= 0) run->objects[object].wantsDraw = true;
}

void LogClockWrite(HostRun* run, const SYSTEMTIME& time, BOOL accepted) {
    std::string text = FormatMoment(MomentOf(time));
    if (!accepted) text += " refused";
    LogText(run, run->context, "clock", "SetLocalTime", text);
}

void LogMessage(HostRun* run, HWND window, UINT message) {
    if (window == HWND_BROADCAST && message == WM_TIMECHANGE)
        Log(run, run->context, "broadcast", "WM_TIMECHANGE");
    else
        LogNumber(run, run->context, "message", "SendMessageA", message);
}
