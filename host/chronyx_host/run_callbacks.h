// What the module calls back while a run is on: the run header's three
// callbacks, and its clock writes and messages, which pass through the host
// on their way to the clock and to Windows so that the log shows them.
#pragma once

#include "host/chronyx_host/host_run.h"

// The callbacks in the run header carry no context of their own; one run at
// a time is all a host on one thread needs. Null between runs.
extern HostRun* g_run;

int32_t WINAPI HostPushEventCallback(void* runData, int32_t code, int32_t);
int32_t WINAPI HostEraseObjectCallback(void* runData, int32_t, int32_t);
int32_t WINAPI HostRedisplayCallback(void* runData, int32_t, int32_t);

// Routes the module's SetLocalTime and SendMessageA through the log, on top
// of whatever the module called before.
void ChainLoggedImports(HMODULE module);
