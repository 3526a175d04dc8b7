// What the module's calls into the host do to the run they reach: the run
// header's three callbacks, and its clock writes and messages, which pass
// through the host on their way to the clock and to Windows so that the log
// shows them.
#pragma once

#include <cstdint>

#include <windows.h>

#include "host/chronyx_host/run_state.h"

void PushEvent(HostRun* run, const void* runData, int32_t code);
void EraseObject(HostRun* run, const void* runData);
void Redisplay(HostRun* run, const void* runData);
void LogClockWrite(HostRun* run, const SYSTEMTIME& time, BOOL accepted);
void LogMessage(HostRun* run, HWND window, UINT message);
