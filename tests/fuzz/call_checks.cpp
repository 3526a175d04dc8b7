#include "tests/fuzz/call_checks.h"

#include <cstring>
#include <string>
#include <unordered_map>

#include "contract/entry_points.h"
#include "core/numeric.h"
#include "simulated_machine/sim_machine.h"
#include "tests/fuzz/call_tally.h"
#include "tests/fuzz/drawing_checks.h"
#include "tests/fuzz/fuzz_report.h"

namespace fuzz {

namespace calls {

Op OpOf(const std::string& name) {
    static const std::unordered_map<std::string, Op> kOps = {
        {"HostPushEvent", Op::kHostPushEvent},
        {"HostEraseObject", Op::kHostEraseObject},
        {"HostRedisplay", Op::kHostRedisplay},
#define CHX_HOST_OPERATION(result, name, ordinal, argumentBytes, parameters) {#name, Op::k##name},
#include "contract/host_operation_list.inc"
#undef CHX_HOST_OPERATION
#define CHX_WINDOWS_IMPORT(library, name) {#name, Op::k##name},
#include "resources/windows_imports.inc"
#undef CHX_WINDOWS_IMPORT
    };
    auto it = kOps.find(name);
    return it == kOps.end() ? Op::kOther : it->second;
}

} // namespace calls

namespace {

using namespace calls;

int64_t H(const void* p) {
    return static_cast<int64_t>(reinterpret_cast<uintptr_t>(p));
}

bool TimeEvent(int code) {
    return code >= routines::kOnEachSecond && code <= routines::kOnEachHour;
}
bool DateEvent(int code) {
    return code >= routines::kOnEachDay && code <= routines::kOnEachYear;
}

bool IsClockSetter(const CallContext& c) {
    return c.kind == CallKind::kAction && c.index >= routines::kSetHundredths &&
           c.index <= routines::kSetYear;
}

bool Allowed(const CallContext& c, Op op) {
    switch (c.kind) {
    case CallKind::kCreate:
        return op == Op::kLocalAlloc || op == Op::kLocalFree || op == Op::kHostFontCreate;
    case CallKind::kDestroy:
        return op == Op::kHostEraseObject || op == Op::kHostFontDelete;
    case CallKind::kHandle:
        return op == Op::kHostPushEvent;
    case CallKind::kDisplay:
        return op == Op::kGetProfileStringA || op == Op::kLoadStringA ||
               op == Op::kHostFontGetGdiFont || op == Op::kHostDrawText || op == Op::kHostSetPen ||
               op == Op::kHostDrawLine || op == Op::kHostDrawFrame || op == Op::kHostGetSurfaceDC ||
               op == Op::kHostReleaseSurfaceDC || op == Op::kHostBeginGdiDraw ||
               op == Op::kHostEndGdiDraw || op == Op::kHostMarkChanged || op == Op::kCreatePen ||
               op == Op::kGetStockObject || op == Op::kSelectObject || op == Op::kEllipse ||
               op == Op::kDeleteObject || op == Op::kGetTextExtentPointA;
    case CallKind::kAction:
        if (IsClockSetter(c))
            return op == Op::kSetLocalTime || op == Op::kSendMessageA || op == Op::kHostRedisplay;
        return op == Op::kHostRedisplay;
    default:
        return false;
    }
}

// The change events of one sample: the object's kind of units, in order from
// the smallest, with no unit skipped.
void CheckPush(const CallContext& c, const std::vector<int64_t>& a, Tally* t) {
    int code = static_cast<int>(a[1]);
    bool fits = c.displayType == kDisplayCalendar
                    ? DateEvent(code)
                    : (c.displayType >= 0 && c.displayType <= 2 && TimeEvent(code));
    FUZZ_EXPECT(fits, "event code %d pushed by an object of display type %d", code, c.displayType);
    FUZZ_EXPECT(code > t->lastCode, "event code %d pushed after code %d in one sample", code,
                t->lastCode);
    FUZZ_EXPECT(t->pushes == 0 ? (code == 1 || code == 4) : code == t->lastCode + 1,
                "event code %d follows code %d: the cascade skipped a unit", code, t->lastCode);
    FUZZ_EXPECT(a[2] == 0, "HostPushEvent third argument %lld, expected 0",
                static_cast<long long>(a[2]));
    t->lastCode = code;
    ++t->pushes;
}

// Creation's FontRequest: allocated zero-filled, handed to HostFontCreate,
// freed after it.
void CheckFontRequest(Op op, const sim::Call& k, const Owned& o, Tally* t) {
    const auto& a = k.args;
    if (op == Op::kLocalAlloc) {
        FUZZ_EXPECT(a[0] & LMEM_ZEROINIT, "LocalAlloc flags 0x%llx without zero-filling",
                    static_cast<unsigned long long>(a[0]));
        FUZZ_EXPECT(a[1] == kFontRequestSize, "LocalAlloc of %lld bytes, expected %u",
                    static_cast<long long>(a[1]), kFontRequestSize);
        if (k.failed)
            ++t->failedAllocs;
        else
            ++t->allocs;
    } else if (op == Op::kLocalFree) {
        FUZZ_EXPECT(t->allocs > t->frees, "LocalFree with nothing allocated");
        FUZZ_EXPECT(t->allocs == t->fontCreates, "FontRequest freed before HostFontCreate");
        ++t->frees;
    } else {
        FUZZ_EXPECT(t->allocs == 1 && t->frees == 0, "HostFontCreate without a live FontRequest");
        FUZZ_EXPECT(a[0] == o.bank, "HostFontCreate on a foreign font bank");
        FUZZ_EXPECT(a[1] == kFontKind, "HostFontCreate kind 0x%llx, expected 0x%x",
                    static_cast<unsigned long long>(a[1]), kFontKind);
        FontRequest r = sim::LastFontRequest();
        FUZZ_EXPECT(std::memchr(r.style, 0, sizeof r.style) != nullptr,
                    "FontRequest style slot has no NUL within its %zu bytes", sizeof r.style);
        FUZZ_EXPECT(r.word10 == 1 && r.word98 == 2 && r.word102 == 255 && r.word12 == 0 &&
                        r.word96 == 0 && r.word100 == 0 && r.zero6 == 0,
                    "FontRequest fixed words %u %u %u %u %u %u", r.word10, r.word12, r.word96,
                    r.word98, r.word100, r.word102);
        ++t->fontCreates;
    }
}

// Destruction: the erase first, and only for a visible object; the object's
// own font released once.
void CheckDestruction(const CallContext& c, Op op, const std::vector<int64_t>& a, const Owned& o,
                      Tally* t) {
    if (op == Op::kHostEraseObject) {
        FUZZ_EXPECT(c.visibleBefore == 1, "HostEraseObject for an object whose visible was %d",
                    c.visibleBefore);
        FUZZ_EXPECT(t->erases == 0 && t->fontDeletes == 0,
                    "HostEraseObject twice or after the font");
        ++t->erases;
        return;
    }
    FUZZ_EXPECT(a[0] == o.bank, "HostFontDelete on a foreign font bank");
    FUZZ_EXPECT(c.fontHandle != 0 && static_cast<uint16_t>(a[1]) == c.fontHandle,
                "HostFontDelete of handle %lld, the object holds %u", static_cast<long long>(a[1]),
                c.fontHandle);
    FUZZ_EXPECT(t->fontDeletes == 0, "HostFontDelete twice in one destruction");
    ++t->fontDeletes;
}

// A clock setter writes the clock, then broadcasts the change, then asks for
// a redisplay; other actions only ask for the redisplay.
void CheckClockChange(const CallContext& c, Op op, const std::vector<int64_t>& a, Tally* t) {
    const int index = c.index;
    if (op == Op::kSetLocalTime) {
        FUZZ_EXPECT(t->clockWrites == 0 && t->broadcasts == 0 && t->redisplays == 0,
                    "action %d: SetLocalTime out of order", index);
        ++t->clockWrites;
    } else if (op == Op::kSendMessageA) {
        FUZZ_EXPECT(t->clockWrites == 1 && t->broadcasts == 0 && t->redisplays == 0,
                    "action %d: broadcast out of order", index);
        FUZZ_EXPECT(a[0] == 0xFFFF && a[1] == 0x1E && a[2] == 0 && a[3] == 0,
                    "broadcast (0x%llx, 0x%llx, %lld, %lld), expected (0xFFFF, 0x1E, 0, 0)",
                    static_cast<unsigned long long>(a[0]), static_cast<unsigned long long>(a[1]),
                    static_cast<long long>(a[2]), static_cast<long long>(a[3]));
        ++t->broadcasts;
    } else {
        FUZZ_EXPECT(t->redisplays == 0, "action %d asked for a redisplay twice", index);
        FUZZ_EXPECT(!IsClockSetter(c) || t->broadcasts == 1,
                    "action %d: redisplay before the broadcast", index);
        FUZZ_EXPECT(a[1] == 0 && a[2] == 0, "HostRedisplay arguments %lld %lld, expected 0 0",
                    static_cast<long long>(a[1]), static_cast<long long>(a[2]));
        ++t->redisplays;
    }
}

void CheckCall(const CallContext& c, const sim::Call& k, const Owned& o, Tally* t) {
    const Op op = OpOf(k.op);
    const auto& a = k.args;
    FUZZ_EXPECT(Allowed(c, op), "%s %d made the call %s, which it has no business making",
                KindName(c.kind), c.index, k.op.c_str());
    switch (op) {
    case Op::kHostPushEvent:
        return CheckPush(c, a, t);
    case Op::kLocalAlloc:
    case Op::kLocalFree:
    case Op::kHostFontCreate:
        return CheckFontRequest(op, k, o, t);
    case Op::kHostEraseObject:
    case Op::kHostFontDelete:
        return CheckDestruction(c, op, a, o, t);
    case Op::kHostFontGetGdiFont:
    case Op::kCreatePen:
    case Op::kDeleteObject:
        return CheckMadeObject(c, op, a, o, t);
    case Op::kHostGetSurfaceDC:
    case Op::kHostBeginGdiDraw:
    case Op::kHostReleaseSurfaceDC:
    case Op::kHostEndGdiDraw:
        return CheckContext(op, k.op.c_str(), a, t);
    case Op::kSelectObject:
    case Op::kGetTextExtentPointA:
    case Op::kEllipse:
        return CheckContextUse(op, k, t);
    case Op::kHostDrawText:
    case Op::kHostSetPen:
    case Op::kHostDrawLine:
    case Op::kHostDrawFrame:
    case Op::kHostMarkChanged:
        return CheckSurfaceDrawing(op, k, o, *t);
    case Op::kSetLocalTime:
    case Op::kSendMessageA:
    case Op::kHostRedisplay:
        return CheckClockChange(c, op, a, t);
    default:
        return;
    }
}

// What must hold once the call has returned.
void CheckAfterTheCall(const CallContext& c, const Tally& t) {
    const char* who = KindName(c.kind);
    FUZZ_EXPECT(t.dcs.empty(), "%s returned holding %zu device context(s)", who, t.dcs.size());
    FUZZ_EXPECT(t.made.empty(), "%s returned with %zu Windows font(s) or pen(s) not deleted", who,
                t.made.size());
    FUZZ_EXPECT(t.allocs == t.frees, "%s: %d LocalAlloc, %d LocalFree", who, t.allocs, t.frees);
    FUZZ_EXPECT(t.fontCreates <= 1, "%s registered %d fonts", who, t.fontCreates);
    if (IsClockSetter(c))
        FUZZ_EXPECT(t.clockWrites == t.broadcasts && t.broadcasts == t.redisplays,
                    "action %d: %d clock writes, %d broadcasts, %d redisplays", c.index,
                    t.clockWrites, t.broadcasts, t.redisplays);
    if (c.kind == CallKind::kDestroy)
        FUZZ_EXPECT(t.erases == (c.visibleBefore == 1 ? 1 : 0) &&
                        t.fontDeletes == (c.fontHandle != 0 ? 1 : 0),
                    "DestroyRunObject: %d erase(s) with visible %d, %d font release(s) with "
                    "handle %u",
                    t.erases, c.visibleBefore, t.fontDeletes, c.fontHandle);
}

} // namespace

const char* KindName(CallKind kind) {
    static const char* const kNames[] = {
        "CreateRunObject", "DestroyRunObject",  "HandleRunObject",   "DisplayRunObject",
        "PauseRunObject",  "ContinueRunObject", "ReInitRunObject",   "condition",
        "action",          "expression",        "editor entry point"};
    static_assert(sizeof kNames / sizeof kNames[0] == static_cast<size_t>(CallKind::kEditor) + 1);
    return kNames[static_cast<int>(kind)];
}

int CheckCallLog(const CallContext& c) {
    const RunHeader* rh = sim::TheRunHeader();
    const Owned owned{H(rh->surface), H(rh->fontBank)};
    Tally tally;
    for (const sim::Call& k : sim::Calls())
        CheckCall(c, k, owned, &tally);
    CheckAfterTheCall(c, tally);
    return tally.pushes;
}

} // namespace fuzz
