#include "core/module_instance.h"

HINSTANCE g_moduleInstance = nullptr;

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    (void)reserved;
    if (reason == DLL_PROCESS_ATTACH) {
        g_moduleInstance = instance;
        // Nothing here cares about threads: spare every thread start and end
        // in the host a call into the module.
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}
