// Redirects one imported function of a loaded module by rewriting its import
// address table entry. The Wine tests and the reference host use it to put
// CHRONYX.dll on a simulated clock without touching the machine's clock.
#pragma once

#include <windows.h>

// Finds the entry of `function` imported from `dll` (case-insensitive) in
// `module` and stores `replacement` there; the old value goes to *original
// when that is not null. Returns false when no such import exists.
bool PatchImport(HMODULE module, const char* dll, const char* function, void* replacement,
                 void** original);
