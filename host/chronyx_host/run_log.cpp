#include "host/chronyx_host/run_log.h"

#include "host/chronyx_host/run_clock.h"
#include "host/common/gdi_accounting.h"

namespace {

std::string ObjectName(const HostRun& run, int32_t index) {
    if (index < 0 || index >= static_cast<int32_t>(run.objects.size())) return "-";
    return run.objects[index].name;
}

// The line's stamp: the frame, the clock the module sees, the object.
LogEntry EntryFor(const HostRun& run, int32_t object, const char* what, const std::string& name) {
    return LogEntry{run.frame, HostNow(run.options.realClock), ObjectName(run, object), what, name};
}

} // namespace

void Log(HostRun* run, int32_t object, const char* what, const std::string& name) {
    WriteLogEntry(run->log, EntryFor(*run, object, what, name));
}

void LogNumber(HostRun* run, int32_t object, const char* what, const std::string& name,
               int64_t number) {
    LogEntry entry = EntryFor(*run, object, what, name);
    entry.hasNumber = true;
    entry.number = number;
    WriteLogEntry(run->log, entry);
}

void LogText(HostRun* run, int32_t object, const char* what, const std::string& name,
             const std::string& text) {
    LogEntry entry = EntryFor(*run, object, what, name);
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
