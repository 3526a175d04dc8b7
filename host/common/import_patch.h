// Redirects imported functions of a loaded module by rewriting their import
// address table entries. The Wine tests and the reference host use it to put
// CHRONYX.dll on a simulated clock without touching the machine's clock, and to
// see its clock writes and messages on their way.
#pragma once

#include <windows.h>

// The one owner of a process's patches: every host patch goes through here,
// so that several may chain at one entry and all of them come off together.
namespace imports {

// Puts `replacement` at `module`'s import of `function` from `dll` (the
// library's name in any case); *next gets the entry it replaced, for the
// replacement to call on. The entry found at the first patch of each slot is
// kept. `function` is a name, or MAKEINTRESOURCEA(ordinal) for an import by
// ordinal. False when there is no such import.
bool Chain(HMODULE module, const char* dll, const char* function, void* replacement, void** next);

// The same with a typed replacement: *next gets the entry replaced, as the
// same type, and is left alone when there is no such import.
template <typename Function>
bool Chain(HMODULE module, const char* dll, const char* function, Function replacement,
           Function* next) {
    void* previous = nullptr;
    if (!Chain(module, dll, function, reinterpret_cast<void*>(replacement), &previous))
        return false;
    *next = reinterpret_cast<Function>(previous);
    return true;
}

// The entry `module`'s import of `function` from `dll` holds now, or null when
// there is no such import. Looks only.
void* Bound(HMODULE module, const char* dll, const char* function);

// Puts back, from the kept entries, every import of `module` patched through
// Chain, and forgets them.
void RestoreAll(HMODULE module);

} // namespace imports
