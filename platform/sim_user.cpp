// The simulated user interface: formatted text, the module's string table and
// the message sender.
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "platform/sim_state.h"

namespace {

struct StringEntry {
    unsigned id;
    const char* text;
};

const StringEntry kStrings[] = {
#define CHX_STRING(id, text) {id, text},
#include "resources/string_list.inc"
#undef CHX_STRING
};

} // namespace

// Windows never writes more than 1024 bytes, the NUL included.
extern "C" int WINAPIV wsprintfA(LPSTR buffer, LPCSTR format, ...) {
    va_list args;
    va_start(args, format);
    int n = std::vsnprintf(buffer, 1024, format, args);
    va_end(args);
    if (n < 0) {
        buffer[0] = '\0';
        return 0;
    }
    return n > 1023 ? 1023 : n;
}

// Cuts to the buffer as Windows does; a missing id leaves the buffer as it was.
extern "C" int WINAPI LoadStringA(HINSTANCE, UINT id, LPSTR buffer, int size) {
    sim::Record("LoadStringA", {id, size});
    for (const StringEntry& e : kStrings) {
        if (e.id != id) continue;
        if (size <= 0) return 0;
        int n = static_cast<int>(std::strlen(e.text));
        if (n > size - 1) n = size - 1;
        std::memcpy(buffer, e.text, static_cast<size_t>(n));
        buffer[n] = '\0';
        return n;
    }
    return 0;
}

extern "C" LRESULT WINAPI SendMessageA(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    sim::Record("SendMessageA", {static_cast<int64_t>(reinterpret_cast<uintptr_t>(window)), message,
                                 static_cast<int64_t>(wparam), lparam});
    return 0;
}
