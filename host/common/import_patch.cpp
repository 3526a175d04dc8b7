// Walks the loaded module's import directory to the IAT slot of one function,
// imported by name or by ordinal.
#include "host/common/import_patch.h"

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

template <typename T> T* At(HMODULE module, DWORD rva) {
    return reinterpret_cast<T*>(reinterpret_cast<BYTE*>(module) + rva);
}

// The import address table slot of `function` (a name, or an ordinal made a
// pointer by MAKEINTRESOURCEA), or null.
void** FindImportSlot(HMODULE module, const char* dll, const char* function) {
    if (!module || !dll || !function) return nullptr;
    const bool byOrdinal = IS_INTRESOURCE(function);
    auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(module);
    if (dos->e_magic != IMAGE_DOS_SIGNATURE) return nullptr;
    auto* nt = At<IMAGE_NT_HEADERS>(module, static_cast<DWORD>(dos->e_lfanew));
    if (nt->Signature != IMAGE_NT_SIGNATURE) return nullptr;
    const IMAGE_DATA_DIRECTORY& dir =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (dir.VirtualAddress == 0 || dir.Size == 0) return nullptr;

    for (auto* desc = At<IMAGE_IMPORT_DESCRIPTOR>(module, dir.VirtualAddress); desc->Name; ++desc) {
        if (lstrcmpiA(At<char>(module, desc->Name), dll) != 0) continue;
        // The lookup table keeps the names; the IAT beside it holds addresses
        // once the loader has bound it, so without a lookup table there is
        // nothing to match.
        if (!desc->OriginalFirstThunk) continue;
        auto* lookup = At<IMAGE_THUNK_DATA>(module, desc->OriginalFirstThunk);
        auto* iat = At<IMAGE_THUNK_DATA>(module, desc->FirstThunk);
        for (; lookup->u1.AddressOfData; ++lookup, ++iat) {
            if (IMAGE_SNAP_BY_ORDINAL(lookup->u1.Ordinal) != byOrdinal) continue;
            if (byOrdinal) {
                if (IMAGE_ORDINAL(lookup->u1.Ordinal) == reinterpret_cast<uintptr_t>(function))
                    return reinterpret_cast<void**>(&iat->u1.Function);
                continue;
            }
            auto* byName =
                At<IMAGE_IMPORT_BY_NAME>(module, static_cast<DWORD>(lookup->u1.AddressOfData));
            if (std::strcmp(reinterpret_cast<const char*>(byName->Name), function) != 0) continue;
            return reinterpret_cast<void**>(&iat->u1.Function);
        }
    }
    return nullptr;
}

bool WriteSlot(void** slot, void* value) {
    DWORD oldProtect;
    if (!VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &oldProtect)) return false;
    *slot = value;
    VirtualProtect(slot, sizeof *slot, oldProtect, &oldProtect);
    FlushInstructionCache(GetCurrentProcess(), slot, sizeof *slot);
    return true;
}

struct KeptEntry {
    HMODULE module;
    void** slot;
    void* original;
};

std::vector<KeptEntry>& Kept() {
    static std::vector<KeptEntry> kept;
    return kept;
}

} // namespace

namespace imports {

bool Chain(HMODULE module, const char* dll, const char* function, void* replacement, void** next) {
    void** slot = FindImportSlot(module, dll, function);
    if (!slot) return false;
    void* previous = *slot;
    if (!WriteSlot(slot, replacement)) return false;
    bool known = false;
    for (const KeptEntry& k : Kept())
        known = known || k.slot == slot;
    if (!known) Kept().push_back({module, slot, previous});
    if (next) *next = previous;
    return true;
}

void* Bound(HMODULE module, const char* dll, const char* function) {
    void** slot = FindImportSlot(module, dll, function);
    return slot ? *slot : nullptr;
}

void RestoreAll(HMODULE module) {
    std::vector<KeptEntry>& kept = Kept();
    for (auto k = kept.begin(); k != kept.end();) {
        if (k->module != module) {
            ++k;
            continue;
        }
        WriteSlot(k->slot, k->original);
        k = kept.erase(k);
    }
}

} // namespace imports
