// The simulated user interface: formatted text, the module's string table and
// the message sender.
#include <algorithm>
#include <cstdarg>
#include <iterator>
#include <cstdio>
#include <cstring>

#include "fixtures/string_table.h"
#include "simulated_machine/sim_decimal.h"
#include "simulated_machine/sim_state.h"

namespace {

using fixture::kStringTable;
using fixture::StringEntry;

constexpr int kWsprintfLimit = 1024; // Windows never writes more, the NUL included

// Formats the subset the module uses ("%u" with an optional zero flag and a
// width, "%s", "%%") by hand, as the Windows formatter does; anything else
// goes to the C library. Both keep to Windows' 1024-byte limit.
int FormatSubset(char* out, const char* format, va_list args) {
    int n = 0;
    auto put = [&](char c) {
        if (n < kWsprintfLimit - 1) out[n++] = c;
    };
    for (const char* f = format; *f; ++f) {
        if (*f != '%') {
            put(*f);
            continue;
        }
        ++f;
        if (*f == '%') {
            put('%');
            continue;
        }
        char pad = ' ';
        if (*f == '0') {
            pad = '0';
            ++f;
        }
        int width = 0;
        while (*f >= '0' && *f <= '9')
            width = width * 10 + (*f++ - '0');
        if (*f == 'u') {
            char digits[kDecimalTextSize];
            size_t length =
                FormatDecimal(va_arg(args, unsigned), width > 10 ? 10 : width, pad, digits);
            for (size_t i = 0; i < length; ++i)
                put(digits[i]);
        } else if (*f == 's' && width == 0) {
            for (const char* t = va_arg(args, const char*); *t; ++t)
                put(*t);
        } else {
            return -1;
        }
    }
    out[n] = '\0';
    return n;
}

} // namespace

extern "C" int WINAPIV wsprintfA(LPSTR buffer, LPCSTR format, ...) {
    va_list args;
    va_start(args, format);
    int n = FormatSubset(buffer, format, args);
    va_end(args);
    if (n >= 0) return n;
    va_start(args, format);
    n = std::vsnprintf(buffer, kWsprintfLimit, format, args);
    va_end(args);
    if (n < 0) {
        buffer[0] = '\0';
        return 0;
    }
    return n > kWsprintfLimit - 1 ? kWsprintfLimit - 1 : n;
}

// Cuts to the buffer as Windows does; a missing id gives an empty text. A
// failure leaves the buffer as it was.
extern "C" int WINAPI LoadStringA(HINSTANCE, UINT id, LPSTR buffer, int size) {
    const bool fails = sim::Fails(sim::Acquiring::kLoadStringA);
    sim::Record("LoadStringA", {id, size}, nullptr, fails);
    if (fails || size <= 0) return 0;
    // The list is in ascending id order, as the resource compiler wants it.
    const StringEntry* e =
        std::lower_bound(std::begin(kStringTable), std::end(kStringTable), id,
                         [](const StringEntry& entry, UINT wanted) { return entry.id < wanted; });
    if (e == std::end(kStringTable) || e->id != id) {
        buffer[0] = '\0';
        return 0;
    }
    int n = static_cast<int>(std::strlen(e->text));
    if (n > size - 1) n = size - 1;
    std::memcpy(buffer, e->text, static_cast<size_t>(n));
    buffer[n] = '\0';
    return n;
}

extern "C" LRESULT WINAPI SendMessageA(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    sim::Record("SendMessageA", {static_cast<int64_t>(reinterpret_cast<uintptr_t>(window)), message,
                                 static_cast<int64_t>(wparam), lparam});
    return 0;
}
