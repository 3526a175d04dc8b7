#include "host/chronyx_host/run_log.h"

#include "base/moment.h"
#include "host/common/gdi_accounting.h"

namespace {

std::string ObjectName(const HostRun& run, int32_t index) {
    if (index < 0 || index >= static_cast<int32_t>(run.objects.size())) return "-";
    return run.objects[index].name;
}

} // namespace

ClockMoment MomentOf(const SYSTEMTIME& t) {
    return ClockMoment{t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds};
}

SYSTEMTIME SystemTimeOf(const ClockMoment& m) {
    return fixture::Moment(m.year, m.month, m.day, m.hour, m.minute, m.second, m.millisecond);
}

void Log(HostRun* run, int32_t object, const char* what, const std::string& name) {
    LogEntry entry{run->frame, HostNow(*run), ObjectName(*run, object), what, name};
    WriteLogEntry(run->log, entry);
}

void LogNumber(HostRun* run, int32_t object, const char* what, const std::string& name,
               int64_t number) {
    LogEntry entry{run->frame, HostNow(*run), ObjectName(*run, object), what, name};
    entry.hasNumber = true;
    entry.number = number;
    WriteLogEntry(run->log, entry);
}

void LogText(HostRun* run, int32_t object, const char* what, const std::string& name,
             const std::string& text) {
    LogEntry entry{run->frame, HostNow(*run), ObjectName(*run, object), what, name};
    entry.text = text;
    WriteLogEntry(run->log, entry);
}

void Fault(HostRun* run, int32_t object, const std::string& text) {
    if (run->faults++ == 0) run->firstFault = text;
    LogText(run, object, "fault", "", text);
}

void SettleGraphics(HostRun* run, int32_t object) {
    for (const std::string& fault : gdiaccount::Settle())
        Fault(run, object, fault);
}
