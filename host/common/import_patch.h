// Redirects one imported function of a loaded module by rewriting its import
// address table entry. The Wine tests and the reference host use it to put
// CHRONYX.dll on a simulated clock without touching the machine's clock, and to
// see its clock writes and messages on their way.
#pragma once

#include <windows.h>

// Finds the entry of `function` imported from `dll` (case-insensitive) in
// `module` and stores `replacement` there; the old value goes to *original
// when that is not null. Returns false when no such import exists.
bool PatchImport(HMODULE module, const char* dll, const char* function, void* replacement,
                 void** original);

// The one owner of a process's patches: every host patch goes through here,
// so that several may chain at one entry and all of them come off together.
namespace imports {

// Puts `replacement` at `module`'s import of `function` from `dll`; *next gets
// the entry it replaced, for the replacement to call on. The entry found at
// the first patch of each slot is kept. False when there is no such import.
bool Chain(HMODULE module, const char* dll, const char* function, void* replacement, void** next);

// Puts back, from the kept entries, every import of `module` patched through
// Chain, and forgets them.
void RestoreAll(HMODULE module);

} // namespace imports
