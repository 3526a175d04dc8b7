#include "tests/fuzz/call_checks.h"

#include <cstring>
#include <map>
#include <set>
#include <string>
#include <unordered_map>

#include "contract/entry_points.h"
#include "core/numeric.h"
#include "simulated_machine/sim_handles.h"
#include "simulated_machine/sim_machine.h"
#include "tests/fuzz/fuzz_report.h"

namespace fuzz {

const CallContext* g_callUnderWay = nullptr;

namespace {

constexpr size_t kLongestText = 39;

constexpr int64_t kOriginalPen = sim::kOriginalPen;
constexpr int64_t kOriginalBrush = sim::kOriginalBrush;
constexpr int64_t kOriginalFont = sim::kOriginalFont;

// The calls the simulated machine logs, by name: the run header's callbacks,
// HOSTRUN's operations and the Windows functions the module may import.
enum class Op {
    kHostPushEvent,
    kHostEraseObject,
    kHostRedisplay,
#define CHX_HOST_OPERATION(result, name, ordinal, argumentBytes, parameters) k##name,
#include "contract/host_operation_list.inc"
#undef CHX_HOST_OPERATION
#define CHX_WINDOWS_IMPORT(library, name) k##name,
#include "resources/windows_imports.inc"
#undef CHX_WINDOWS_IMPORT
    kOther,
};

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

HostCallback g_recordPush;
HostCallback g_recordErase;
HostCallback g_recordRedisplay;

int64_t H(const void* p) {
    return static_cast<int64_t>(reinterpret_cast<uintptr_t>(p));
}

enum class DcKind { kMeasuring, kDrawing };

struct Dc {
    DcKind kind;
    int64_t pen = kOriginalPen;
    int64_t brush = kOriginalBrush;
    int64_t font = kOriginalFont;
};

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

// The callbacks see the object and its run data at the moment of the call,
// which the log cannot show afterwards.
void CheckCallbackObject(const char* name, void* object) {
    const CallContext* c = g_callUnderWay;
    FUZZ_EXPECT(c != nullptr, "%s called outside any entry point", name);
    FUZZ_EXPECT(object == c->run, "%s got object %p, expected the object of the %s call, %p", name,
                object, KindName(c->kind), static_cast<const void*>(c->run));
}

int32_t WINAPI CheckedPush(void* object, int32_t code, int32_t b) {
    CheckCallbackObject("HostPushEvent", object);
    const RunData* run = static_cast<const RunData*>(object);
    int16_t expected = Low16(RunHeaderOf(run)->eventCount);
    FUZZ_EXPECT(run->triggerEventCount == expected,
                "event %d pushed with triggerEventCount %d, expected the low 16 bits of "
                "eventCount, %d",
                code, run->triggerEventCount, expected);
    return g_recordPush(object, code, b);
}

int32_t WINAPI CheckedErase(void* object, int32_t a, int32_t b) {
    CheckCallbackObject("HostEraseObject", object);
    return g_recordErase(object, a, b);
}

int32_t WINAPI CheckedRedisplay(void* object, int32_t a, int32_t b) {
    CheckCallbackObject("HostRedisplay", object);
    return g_recordRedisplay(object, a, b);
}

// What one call has done so far, as its log is read in order.
struct Tally {
    std::map<int64_t, Dc> dcs; // taken in this call and not yet given back
    std::set<int64_t> made;    // pens and fonts made in this call and not yet deleted
    int pushes = 0, lastCode = 0;
    int allocs = 0, failedAllocs = 0, frees = 0, fontCreates = 0, erases = 0, fontDeletes = 0;
    int clockWrites = 0, broadcasts = 0, redisplays = 0;
};

// The host and Windows objects a call is entitled to.
struct Owned {
    int64_t surface;
    int64_t bank;
};

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

// Windows fonts and pens: made in this call, deleted in it, never while
// selected.
void CheckMadeObject(const CallContext& c, Op op, const std::vector<int64_t>& a, const Owned& o,
                     Tally* t) {
    if (op == Op::kHostFontGetGdiFont) {
        FUZZ_EXPECT(a[0] == o.bank, "HostFontGetGdiFont on a foreign font bank");
        FUZZ_EXPECT(c.fontHandle != 0 && static_cast<uint16_t>(a[1]) == c.fontHandle,
                    "HostFontGetGdiFont for handle %lld, the object holds %u",
                    static_cast<long long>(a[1]), c.fontHandle);
        if (a[2] != 0) t->made.insert(a[2]);
    } else if (op == Op::kCreatePen) {
        if (a[3] != 0) t->made.insert(a[3]);
    } else {
        FUZZ_EXPECT(t->made.count(a[0]), "DeleteObject of 0x%llx, which this draw did not make",
                    static_cast<unsigned long long>(a[0]));
        for (const auto& [h, dc] : t->dcs)
            FUZZ_EXPECT(dc.pen != a[0] && dc.font != a[0],
                        "DeleteObject of 0x%llx while it is selected into context 0x%llx",
                        static_cast<unsigned long long>(a[0]), static_cast<unsigned long long>(h));
        t->made.erase(a[0]);
    }
}

// Device contexts: taken from the host and given back to the partner call,
// with what they held when taken selected again.
void CheckContext(Op op, const char* opName, const std::vector<int64_t>& a, Tally* t) {
    if (op == Op::kHostGetSurfaceDC || op == Op::kHostBeginGdiDraw) {
        // A context the host failed to give is not to be given back either.
        if (a[0] != 0)
            t->dcs[a[0]] = Dc{op == Op::kHostGetSurfaceDC ? DcKind::kMeasuring : DcKind::kDrawing};
        return;
    }
    DcKind want = op == Op::kHostReleaseSurfaceDC ? DcKind::kMeasuring : DcKind::kDrawing;
    auto it = t->dcs.find(a[0]);
    FUZZ_EXPECT(it != t->dcs.end() && it->second.kind == want,
                "%s of context 0x%llx, which did not come from its partner", opName,
                static_cast<unsigned long long>(a[0]));
    const Dc& dc = it->second;
    FUZZ_EXPECT(dc.pen == kOriginalPen && dc.brush == kOriginalBrush && dc.font == kOriginalFont,
                "context given back with pen 0x%llx brush 0x%llx font 0x%llx selected",
                static_cast<unsigned long long>(dc.pen), static_cast<unsigned long long>(dc.brush),
                static_cast<unsigned long long>(dc.font));
    t->dcs.erase(it);
}

// What is selected, measured and drawn into a held context. A selection
// that failed leaves the context as it was.
void CheckContextUse(Op op, const sim::Call& k, Tally* t) {
    const auto& a = k.args;
    auto it = t->dcs.find(a[0]);
    if (op == Op::kSelectObject) {
        FUZZ_EXPECT(it != t->dcs.end(), "SelectObject into context 0x%llx, not held now",
                    static_cast<unsigned long long>(a[0]));
        int64_t h = a[1];
        FUZZ_EXPECT(t->made.count(h) || sim::IsStock(static_cast<uintptr_t>(h)) ||
                        h == kOriginalPen || h == kOriginalBrush || h == kOriginalFont,
                    "SelectObject of 0x%llx, neither made here nor stock nor the original",
                    static_cast<unsigned long long>(h));
        if (k.failed) return;
        switch (sim::SlotOf(static_cast<uintptr_t>(h))) {
        case sim::Slot::kBrush:
            it->second.brush = h;
            break;
        case sim::Slot::kFont:
            it->second.font = h;
            break;
        case sim::Slot::kPen:
            it->second.pen = h;
            break;
        }
    } else if (op == Op::kGetTextExtentPointA) {
        FUZZ_EXPECT(it != t->dcs.end() && it->second.kind == DcKind::kMeasuring,
                    "text measured on context 0x%llx, not the measuring context",
                    static_cast<unsigned long long>(a[0]));
    } else {
        FUZZ_EXPECT(it != t->dcs.end() && it->second.kind == DcKind::kDrawing,
                    "Ellipse on context 0x%llx, not a drawing context",
                    static_cast<unsigned long long>(a[0]));
        // With any brush but the hollow one the circle would paint over the face.
        FUZZ_EXPECT(it->second.brush == static_cast<int64_t>(sim::kNullBrush) &&
                        t->made.count(it->second.pen),
                    "Ellipse drawn with brush 0x%llx and pen 0x%llx selected",
                    static_cast<unsigned long long>(it->second.brush),
                    static_cast<unsigned long long>(it->second.pen));
    }
}

// Drawing on the host's surface: this object's surface, a live font, a text
// that fits and the flags of the contract.
void CheckSurfaceDrawing(Op op, const sim::Call& k, const Owned& o, const Tally& t) {
    const auto& a = k.args;
    if (op != Op::kHostDrawText) {
        FUZZ_EXPECT(a[0] == o.surface, "%s on a foreign surface", k.op.c_str());
        return;
    }
    FUZZ_EXPECT(a[0] == o.surface, "HostDrawText on a foreign surface");
    FUZZ_EXPECT(t.made.count(a[1]), "HostDrawText with font 0x%llx, not live from the host",
                static_cast<unsigned long long>(a[1]));
    FUZZ_EXPECT(k.text.size() <= kLongestText,
                "HostDrawText got %zu characters \"%s\", at most %zu expected", k.text.size(),
                k.text.c_str(), kLongestText);
    FUZZ_EXPECT(a[7] == kDrawTextFlags, "HostDrawText flags 0x%llx, expected 0x25",
                static_cast<unsigned long long>(a[7]));
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
    switch (kind) {
    case CallKind::kCreate:
        return "CreateRunObject";
    case CallKind::kDestroy:
        return "DestroyRunObject";
    case CallKind::kHandle:
        return "HandleRunObject";
    case CallKind::kDisplay:
        return "DisplayRunObject";
    case CallKind::kPause:
        return "PauseRunObject";
    case CallKind::kContinue:
        return "ContinueRunObject";
    case CallKind::kReInit:
        return "ReInitRunObject";
    case CallKind::kCondition:
        return "condition";
    case CallKind::kAction:
        return "action";
    case CallKind::kExpression:
        return "expression";
    case CallKind::kEditor:
        return "editor entry point";
    }
    return "?";
}

void InstallCheckingCallbacks(RunHeader* header) {
    g_recordPush = header->HostPushEvent;
    g_recordErase = header->HostEraseObject;
    g_recordRedisplay = header->HostRedisplay;
    header->HostPushEvent = CheckedPush;
    header->HostEraseObject = CheckedErase;
    header->HostRedisplay = CheckedRedisplay;
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
