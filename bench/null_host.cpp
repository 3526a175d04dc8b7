#include "bench/null_host.h"

#include <cstring>
#include <type_traits>

#include "simulated_machine/sim_state.h"

namespace {

HFONT const kFont = reinterpret_cast<HFONT>(uintptr_t{0x7000} | sim::kFontBit);
HDC const kDc = reinterpret_cast<HDC>(uintptr_t{0x8000});

inline void Count(nullhost::Op op) {
    ++nullhost::g_counts.calls[op];
}

int32_t WINAPI PushEvent(void*, int32_t, int32_t) {
    Count(nullhost::kHostPushEvent);
    return 0;
}
int32_t WINAPI EraseObject(void*, int32_t, int32_t) {
    Count(nullhost::kHostEraseObject);
    return 0;
}
int32_t WINAPI Redisplay(void*, int32_t, int32_t) {
    Count(nullhost::kHostRedisplay);
    return 0;
}

} // namespace

namespace nullhost {

Counts g_counts;

void ClearCounts() {
    std::memset(&g_counts, 0, sizeof g_counts);
}

const char* OpName(int op) {
    static const char* const kNames[kOpCount] = {
#define CHX_HOST_OPERATION(result, name, ordinal, argumentBytes, parameters) #name,
#include "contract/host_operation_list.inc"
#undef CHX_HOST_OPERATION
        "HostPushEvent", "HostEraseObject", "HostRedisplay"};
    return op >= 0 && op < kOpCount ? kNames[op] : "?";
}

} // namespace nullhost

// The simulated machine's host controls, answered by the null host.
namespace sim {

void ResetHost() {
    WireRunHeader(PushEvent, EraseObject, Redisplay);
    // The one context every draw is lent is known to the graphics layer, so
    // that selecting into it works as on Windows.
    state().dcs[reinterpret_cast<uintptr_t>(kDc)] =
        DcState{reinterpret_cast<HGDIOBJ>(kOriginalPen), reinterpret_cast<HGDIOBJ>(kOriginalBrush),
                reinterpret_cast<HGDIOBJ>(kOriginalFont)};
}

void FailFontCreate(bool) {}
void FailGdiFont(bool) {}
int LiveHostFonts() {
    return 0;
}
FontRequest LastFontRequest() {
    return FontRequest{};
}

} // namespace sim

// Each operation counts itself and gives the one answer its result needs.
template <typename Result> Result NullAnswer() {
    if constexpr (std::is_same_v<Result, HFONT>)
        return kFont;
    else if constexpr (std::is_same_v<Result, HDC>)
        return kDc;
    else if constexpr (!std::is_void_v<Result>)
        return 1; // a font handle
}

extern "C" {
#define CHX_HOST_OPERATION(result, name, ordinal, argumentBytes, parameters)                       \
    result WINAPI name parameters {                                                                \
        Count(nullhost::k##name);                                                                  \
        return NullAnswer<result>();                                                               \
    }
#include "contract/host_operation_list.inc"
#undef CHX_HOST_OPERATION
}
