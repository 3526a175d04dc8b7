// The one module-wide value: the instance handle Windows gave the library
// entry routine. LoadStringA needs it for the module's own strings.
#pragma once

#include "winapi/windows_api.h"

extern HINSTANCE g_moduleInstance;
