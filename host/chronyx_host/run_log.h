// The lines a run writes to its log, each stamped with the frame, the host's
// clock and the object it is about (-1 for the host itself).
#pragma once

#include <cstdint>
#include <string>

#include "host/chronyx_host/run_state.h"

void Log(HostRun* run, int32_t object, const char* what, const std::string& name = "");
void LogNumber(HostRun* run, int32_t object, const char* what, const std::string& name,
               int64_t number);
void LogText(HostRun* run, int32_t object, const char* what, const std::string& name,
             const std::string& text);
// A broken promise of the module: logged, counted, and the first one kept.
void Fault(HostRun* run, int32_t object, const std::string& text);
// The module's graphics objects and the contexts lent to it since the last
// settling: what it made deleted, what it borrowed given back as it was.
void SettleGraphics(HostRun* run, int32_t object);
