#include "core/module_instance.h"

HINSTANCE g_moduleInstance = nullptr;

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    (void)reserved;
    if (reason == DLL_PROCESS_ATTACH) g_moduleInstance = instance;
    return TRUE;
}
