// The one run that the module's calls back reach. Neither the run header's
// callbacks nor the patched SetLocalTime and SendMessageA carry a context of
// their own, so the run is bound here from its start to its end and handed
// to each call back as a parameter; one run at a time is all a host on one
// thread needs.
#pragma once

#include <windows.h>

#include "host/chronyx_host/run_state.h"

// Binds `run` and points its header's callbacks at it; false, binding
// nothing, while another run is bound.
bool BindRun(HostRun* run);
// From here on the calls back reach no run, and the logged imports only pass
// their calls on.
void UnbindRun();

// Routes the module's SetLocalTime and SendMessageA through the bound run's
// log, on top of whatever the module called before.
void ChainLoggedImports(HMODULE module);
