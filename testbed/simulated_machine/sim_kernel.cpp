// Profile and local memory of the simulated kernel.
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <string>

#include "simulated_machine/sim_state.h"

namespace {

std::string ProfileKey(const char* section, const char* key) {
    std::string k = std::string(section) + "\n" + key;
    for (char& c : k)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return k;
}

// Copies as Windows does: at most size - 1 characters and a NUL.
DWORD CopyBounded(const char* from, char* to, DWORD size) {
    if (size == 0) return 0;
    size_t n = std::strlen(from);
    if (n > size - 1) n = size - 1;
    std::memcpy(to, from, n);
    to[n] = '\0';
    return static_cast<DWORD>(n);
}

} // namespace

namespace sim {

void SetProfileString(const char* section, const char* key, const char* value) {
    state().profile[ProfileKey(section, key)] = value;
}

void RemoveProfileString(const char* section, const char* key) {
    state().profile.erase(ProfileKey(section, key));
}

void FailNextLocalAlloc() {
    state().failNextAlloc = true;
}
int LiveLocalAllocs() {
    return static_cast<int>(state().liveAllocs.size());
}

} // namespace sim

extern "C" DWORD WINAPI GetProfileStringA(LPCSTR section, LPCSTR key, LPCSTR fallback, LPSTR buffer,
                                          DWORD size) {
    // A failure answers the default, as for a key that is not there.
    const bool fails = sim::Fails(sim::Acquiring::kGetProfileStringA);
    sim::Record("GetProfileStringA", {size}, key, fails);
    auto it = sim::state().profile.find(ProfileKey(section, key));
    const char* value = it != sim::state().profile.end() && !fails ? it->second.c_str()
                                                                   : (fallback ? fallback : "");
    return CopyBounded(value, buffer, size);
}

extern "C" HLOCAL WINAPI LocalAlloc(UINT flags, size_t bytes) {
    const bool fails = sim::Fails(sim::Acquiring::kLocalAlloc, sim::state().failNextAlloc);
    sim::state().failNextAlloc = false;
    sim::Record("LocalAlloc", {flags, static_cast<int64_t>(bytes)}, nullptr, fails);
    if (fails) return nullptr;
    void* p = std::malloc(bytes ? bytes : 1);
    if (!p) return nullptr;
    // Fill what is not zeroed with a pattern, so that a missing LMEM_ZEROINIT shows.
    std::memset(p, (flags & LMEM_ZEROINIT) ? 0 : 0xCD, bytes);
    sim::state().liveAllocs.insert(p);
    return p;
}

extern "C" HLOCAL WINAPI LocalFree(HLOCAL memory) {
    sim::Record("LocalFree", {});
    if (!memory) return nullptr;
    if (!sim::state().liveAllocs.erase(memory)) return memory; // not ours: fails as Windows does
    std::free(memory);
    return nullptr;
}

extern "C" BOOL WINAPI DisableThreadLibraryCalls(HMODULE module) {
    sim::Record("DisableThreadLibraryCalls",
                {static_cast<int64_t>(reinterpret_cast<uintptr_t>(module))});
    return TRUE;
}
