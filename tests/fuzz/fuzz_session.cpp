#include "tests/fuzz/fuzz_session.h"

#include <cstdlib>
#include <cstring>
#include <type_traits>
#include <utility>
#include <string>

#include "core/numeric.h"
#include "core/records.h"
#include "events/routines.h"
#include "contract/entry_points.h"
#include "fixtures/moment.h"
#include "module/registration.h"
#include "fixtures/civil_calendar.h"
#include "simulated_machine/sim_machine.h"
#include "tests/fuzz/byte_reader.h"
#include "tests/fuzz/call_checks.h"
#include "tests/fuzz/fuzz_ops.h"
#include "tests/fuzz/fuzz_report.h"
#include "tests/fuzz/guarded_block.h"
#include "tests/fuzz/write_sets.h"

namespace fuzz {
namespace {

constexpr uint8_t kHeaderPattern = 0x3C;
constexpr int kFrameBudget = 400; // frames per input, to keep executions fast
constexpr int kFirstYear = 1601;  // the range of a Windows SYSTEMTIME
constexpr int kLastYear = 30827;

enum class SlotState { kEmpty, kLive, kFailed };

struct Slot {
    SlotState state = SlotState::kEmpty;
    GuardedBlock block{};
    RunData* run = nullptr;
    int16_t displayType = 0;
    uint16_t fontHandle = 0;
    uint8_t flags = 0;    // the host's flags byte, which the module never writes
    bool handled = false; // HandleRunObject called since creation
};

struct Session {
    ByteReader in;
    uint8_t edit[kEditDataSize];
    int16_t createX = 0;
    int16_t createY = 0;
    Slot slots[kSlots];
    RunHeader* rh = nullptr;
    bool allocArmed = false;
    bool fontCreateFails = false;
    bool gdiFontFails = false;
    int framesLeft = kFrameBudget;
};

uint8_t* Reserved(RunData* run) {
    return run->header.reserved;
}

// Whether a call of the last entry point call was failed on purpose.
bool AnyCallFailed() {
    for (const sim::Call& k : sim::Calls())
        if (k.failed) return true;
    return false;
}

bool HasNul(const char* text, size_t size) {
    return std::memchr(text, 0, size) != nullptr;
}

// scan: look at the guard patterns too, which ASan already watches byte by
// byte when it is there.
void CheckSlot(const Session& s, const Slot& slot, int i, bool scan) {
    RunData* run = slot.run;
    if (scan) {
        const char* guard = CheckGuards(slot.block);
        FUZZ_EXPECT(*guard == '\0', "object %d run data: %s", i, guard);
        const size_t n = sizeof run->header.reserved;
        UnpoisonRegion(Reserved(run), n);
        size_t k = FirstByteNot(Reserved(run), n, kHeaderPattern);
        FUZZ_EXPECT(k == n, "object %d: host header byte %zu is 0x%02X, not the host's 0x%02X", i,
                    offsetof(ObjectHeader, reserved) + k, Reserved(run)[k], kHeaderPattern);
        PoisonRegion(Reserved(run), n);
    }
    FUZZ_EXPECT(run->header.runHeader == s.rh, "object %d: runHeader overwritten with %p", i,
                static_cast<void*>(run->header.runHeader));
    FUZZ_EXPECT(run->header.flags == slot.flags, "object %d: flags 0x%02X, the host set 0x%02X", i,
                run->header.flags, slot.flags);
    size_t k = FirstByteNot(run->settings.spare, sizeof run->settings.spare, 0);
    FUZZ_EXPECT(k == sizeof run->settings.spare,
                "object %d: spare byte %zu of the run data is 0x%02X", i, k,
                run->settings.spare[k]);
    FUZZ_EXPECT(static_cast<uint16_t>(run->fontHandle) == slot.fontHandle,
                "object %d: fontHandle %d, registered %u", i, run->fontHandle, slot.fontHandle);
}

// What must hold between any two calls.
void CheckWorld(const Session& s) {
    int fonts = 0;
    for (int i = 0; i < kSlots; ++i) {
        const Slot& slot = s.slots[i];
        if (slot.state == SlotState::kEmpty) continue;
        CheckSlot(s, slot, i, !GuardsFaultOnTouch());
        if (slot.state == SlotState::kLive && slot.fontHandle != 0) ++fonts;
    }
    FUZZ_EXPECT(sim::OutstandingDCs() == 0, "%d device context(s) not given back",
                sim::OutstandingDCs());
    FUZZ_EXPECT(sim::LiveGdiObjects() == 0, "%d Windows font(s) or pen(s) not deleted",
                sim::LiveGdiObjects());
    FUZZ_EXPECT(sim::LiveLocalAllocs() == 0, "%d FontRequest(s) not freed", sim::LiveLocalAllocs());
    FUZZ_EXPECT(sim::LiveHostFonts() == fonts, "%d host font(s) registered, %d objects hold one",
                sim::LiveHostFonts(), fonts);
}

CallContext ContextFor(const Session& s, const Slot* slot, CallKind kind, int index) {
    CallContext c{};
    c.kind = kind;
    c.index = index;
    if (slot) {
        c.run = slot->run;
        c.fontHandle = slot->fontHandle;
        c.visibleBefore = slot->run->visible;
        c.displayType = slot->displayType;
    }
    return c;
}

// Runs one call with its checks; the call log stays readable until the next.
template <class F> auto Checked(Session& s, const CallContext& c, int* pushes, F&& call) {
    static RunSnapshot before;
    if (c.run) TakeSnapshot(&before, c.run);
    sim::ClearCalls();
    g_callUnderWay = &c;
    auto result = call();
    g_callUnderWay = nullptr;
    if (c.run) CheckWriteSet(c, before, c.run);
    int n = CheckCallLog(c);
    if (pushes) *pushes = n;
    if (s.allocArmed && !sim::CallsNamed("LocalAlloc").empty()) s.allocArmed = false;
    CheckWorld(s);
    return result;
}

int32_t Param(ByteReader& in) {
    uint8_t sel = in.U8();
    if (sel & kParamRaw) return static_cast<int32_t>(in.U32());
    if (sel < 0x40) return sel - 8;
    return 1970 + (sel - 0x40);
}

Slot* LiveSlot(Session& s, uint8_t byte) {
    Slot& slot = s.slots[byte % kSlots];
    return slot.state == SlotState::kLive ? &slot : nullptr;
}

void FreeSlot(Slot& slot) {
    FreeGuardedBlock(&slot.block);
    slot = Slot{};
}

// ---- the object's life ----

void OpCreate(Session& s) {
    Slot& slot = s.slots[s.in.U8() % kSlots];
    uint8_t how = s.in.U8();
    if (slot.state == SlotState::kLive) return; // a host creates an object once
    if (slot.state == SlotState::kFailed) FreeSlot(slot);

    // The host's records, sized exactly, so that a read past either faults.
    uint8_t* edit = static_cast<uint8_t*>(std::malloc(kEditDataSize));
    std::memcpy(edit, s.edit, kEditDataSize);
    if (how & kCreateSetType) {
        int16_t type = static_cast<int16_t>(s.in.U8() % 4);
        std::memcpy(edit + (offsetof(EditData, settings) + offsetof(ObjectSettings, displayType)),
                    &type, 2);
    }
    if (how & kCreateSetMode) {
        int16_t mode = static_cast<int16_t>(s.in.U8() % 3);
        std::memcpy(edit + (offsetof(EditData, settings) + offsetof(ObjectSettings, clockMode)),
                    &mode, 2);
    }
    uint8_t stored[kEditDataSize];
    std::memcpy(stored, edit, kEditDataSize);
    CreationRecord* creation = static_cast<CreationRecord*>(std::malloc(sizeof(CreationRecord)));
    std::memset(creation->hostFields, 0xEE, sizeof creation->hostFields);
    creation->x = s.createX;
    creation->y = s.createY;

    if (how & kCreateFailAlloc) {
        sim::FailNextLocalAlloc();
        s.allocArmed = true;
    }
    bool fontFails = s.fontCreateFails || (how & kCreateFailFont);
    sim::FailFontCreate(fontFails);

    slot.block = NewGuardedBlock(sizeof(RunData));
    slot.run = reinterpret_cast<RunData*>(Body(slot.block));
    slot.run->header.runHeader = s.rh;
    std::memset(Reserved(slot.run), kHeaderPattern, sizeof slot.run->header.reserved);
    PoisonRegion(Reserved(slot.run), sizeof slot.run->header.reserved);
    slot.state = SlotState::kFailed; // until it answers 0
    const EditData* e = reinterpret_cast<const EditData*>(stored);
    slot.displayType = e->settings.displayType;
    bool needsFont = e->settings.displayType == kDisplayAnalog ||
                     e->settings.displayType == kDisplayDigital ||
                     e->settings.displayType == kDisplayCalendar;
    bool mayFail = needsFont && (s.allocArmed || fontFails);
    Trace("create type %d mode %d%s", e->settings.displayType, e->settings.clockMode,
          mayFail ? " (to fail)" : "");

    CallContext c = ContextFor(s, nullptr, CallKind::kCreate, 0);
    c.run = slot.run;
    c.displayType = slot.displayType;
    RunData* run = slot.run;
    // The font handle is known only once the call returns; CheckWorld must
    // not compare it before then.
    slot.fontHandle = 0;
    sim::ClearCalls();
    g_callUnderWay = &c;
    int16_t r = CreateRunObject(run, reinterpret_cast<EditData*>(edit), creation);
    g_callUnderWay = nullptr;
    CheckCallLog(c);
    if (s.allocArmed && !sim::CallsNamed("LocalAlloc").empty()) s.allocArmed = false;
    sim::FailFontCreate(s.fontCreateFails);

    FUZZ_EXPECT(r == 0 || r == -1, "CreateRunObject returned %d, expected 0 or -1", r);
    FUZZ_EXPECT(std::memcmp(edit, stored, kEditDataSize) == 0,
                "CreateRunObject wrote the edit data");
    std::free(edit);
    std::free(creation);
    const bool due = mayFail || AnyCallFailed();
    FUZZ_EXPECT((r == -1) == due, "CreateRunObject returned %d; failure %s", r,
                due ? "was due" : "had no cause");
    if (r == 0) {
        slot.state = SlotState::kLive;
        slot.fontHandle = static_cast<uint16_t>(run->fontHandle);
        FUZZ_EXPECT((slot.fontHandle != 0) == needsFont,
                    "display type %d holds font %u after creation", slot.displayType,
                    slot.fontHandle);
        FUZZ_EXPECT(HasNul(run->settings.analogFontStyle, kStyleTextSize) &&
                        HasNul(run->settings.digitalFontStyle, kStyleTextSize) &&
                        HasNul(run->settings.calendarFontStyle, kStyleTextSize),
                    "a style text copied without its NUL");
        FUZZ_EXPECT(run->visible == 1 && run->firstHandle == 1,
                    "created with visible %d firstHandle %d, expected 1 1", run->visible,
                    run->firstHandle);
        FUZZ_EXPECT(run->header.x == s.createX && run->header.y == s.createY &&
                        run->header.width == e->width && run->header.height == e->height,
                    "created at (%d, %d) size %d x %d, expected (%d, %d) %d x %d", run->header.x,
                    run->header.y, run->header.width, run->header.height, s.createX, s.createY,
                    e->width, e->height);
    } else {
        FUZZ_EXPECT(run->visible == 0 && run->firstHandle == 0 && run->fontHandle == 0,
                    "failed creation left visible %d firstHandle %d fontHandle %d", run->visible,
                    run->firstHandle, run->fontHandle);
    }
    CheckWorld(s);
}

void Destroy(Session& s, Slot& slot) {
    Trace("destroy");
    CallContext c = ContextFor(s, &slot, CallKind::kDestroy, 0);
    sim::ClearCalls();
    g_callUnderWay = &c;
    int16_t r = DestroyRunObject(slot.run, 0x5EED);
    g_callUnderWay = nullptr;
    CheckCallLog(c);
    FUZZ_EXPECT(r == 0, "DestroyRunObject returned %d", r);
    CheckSlot(s, slot, static_cast<int>(&slot - s.slots), true);
    // Freed at once: a module that kept the record would now touch freed memory.
    FreeSlot(slot);
    CheckWorld(s);
}

void OpDestroy(Session& s) {
    Slot& slot = s.slots[s.in.U8() % kSlots];
    if (slot.state != SlotState::kEmpty) Destroy(s, slot);
}

int16_t Handle(Session& s, Slot& slot) {
    int pushes = 0;
    CallContext c = ContextFor(s, &slot, CallKind::kHandle, 0);
    int16_t r = Checked(s, c, &pushes, [&] { return HandleRunObject(slot.run); });
    FUZZ_EXPECT(r == 0 || r == 2, "HandleRunObject returned %d, expected 0 or 2", r);
    FUZZ_EXPECT(slot.handled || r == 2, "first HandleRunObject returned %d, expected 2", r);
    FUZZ_EXPECT(pushes == 0 || r == 2, "HandleRunObject pushed %d event(s) and returned %d", pushes,
                r);
    slot.handled = true;
    return r;
}

void Display(Session& s, Slot& slot) {
    CallContext c = ContextFor(s, &slot, CallKind::kDisplay, 0);
    int16_t r = Checked(s, c, nullptr, [&] { return DisplayRunObject(slot.run); });
    FUZZ_EXPECT(r == 0, "DisplayRunObject returned %d", r);
    FUZZ_EXPECT(c.visibleBefore == 1 || sim::Calls().empty(),
                "DisplayRunObject of an object with visible %d made %zu call(s)", c.visibleBefore,
                sim::Calls().size());
    // A built-in pattern that does not exist is an empty one, whatever the
    // string table leaves in the buffer.
    const RunData* run = slot.run;
    if (slot.displayType == kDisplayCalendar && run->settings.calendarFormat == 2 &&
        (run->settings.calendarPattern < 0 || run->settings.calendarPattern > 6)) {
        for (const sim::Call& k : sim::Calls())
            FUZZ_EXPECT(k.op != "HostDrawText" || k.text.empty(),
                        "calendar pattern %d drew \"%s\", expected an empty text",
                        run->settings.calendarPattern, k.text.c_str());
    }
}

void OpHandle(Session& s) {
    if (Slot* slot = LiveSlot(s, s.in.U8())) Handle(s, *slot);
}

void OpDisplay(Session& s) {
    if (Slot* slot = LiveSlot(s, s.in.U8())) Display(s, *slot);
}

// The host's frame loop: the clock moves, the event loop counts, and each
// object is handled and, when it asks, drawn.
void OpFrames(Session& s) {
    uint8_t mask = s.in.U8();
    int count = s.in.U8();
    int step = s.in.U8();
    if (count > s.framesLeft) count = s.framesLeft;
    s.framesLeft -= count;
    Trace("frames %d every %d ms, mask 0x%x", count, step, mask);
    for (int f = 0; f < count; ++f) {
        sim::AdvanceClock(step);
        s.rh->eventCount = WrapAdd(s.rh->eventCount, 1);
        for (int i = 0; i < kSlots; ++i) {
            Slot& slot = s.slots[i];
            if (slot.state != SlotState::kLive || !(mask == 0 || (mask >> i) & 1)) continue;
            if (Handle(s, slot) == 2) Display(s, slot);
        }
    }
}

void OpSimple(Session& s, CallKind kind) {
    Slot* slot = LiveSlot(s, s.in.U8());
    if (!slot) return;
    Trace("%s", KindName(kind));
    CallContext c = ContextFor(s, slot, kind, 0);
    int16_t r = Checked(s, c, nullptr, [&] {
        switch (kind) {
        case CallKind::kPause:
            return PauseRunObject(slot->run);
        case CallKind::kContinue:
            return ContinueRunObject(slot->run);
        default:
            return ReInitRunObject(slot->run);
        }
    });
    FUZZ_EXPECT(r == 0, "%s returned %d", KindName(kind), r);
}

// ---- the routine tables ----

void OpCondition(Session& s) {
    Slot* slot = LiveSlot(s, s.in.U8());
    int index = s.in.U8() % kConditionCount;
    int32_t p1 = Param(s.in), p2 = Param(s.in);
    if (!slot) return;
    Trace("condition %d (%d, %d)", index, p1, p2);
    RunData* run = slot->run;
    CallContext c = ContextFor(s, slot, CallKind::kCondition, index);
    int32_t v = Checked(s, c, nullptr, [&] { return ConditionTable[index](run, p1, p2); });
    if (index >= routines::kOnEachSecond && index <= routines::kOnEachYear) {
        int32_t expected = (run->header.flags & kObjectFlagEventsTrue) ||
                                   Low16(s.rh->eventCount) == run->triggerEventCount
                               ? 1
                               : 0;
        FUZZ_EXPECT(
            v == expected,
            "event condition %d gave %d, expected %d (eventCount %d, trigger %d, flags 0x%x)",
            index, v, expected, s.rh->eventCount, run->triggerEventCount, run->header.flags);
    } else if (index == routines::kIsVisible) {
        FUZZ_EXPECT(v == (run->visible == 1 ? 1 : 0), "IsVisible gave %d with visible %d", v,
                    run->visible);
    }
}

struct Bounds {
    int32_t low, high;
};
const Bounds kSetterBounds[8] = {{0, 99}, {0, 59}, {0, 59}, {0, 23},
                                 {0, 6},  {1, 31}, {1, 12}, {1980, 2099}};

void OpAction(Session& s) {
    Slot* slot = LiveSlot(s, s.in.U8());
    int index = s.in.U8() % kActionCount;
    int32_t p1 = Param(s.in), p2 = Param(s.in);
    if (!slot) return;
    Trace("action %d (%d, %d)", index, p1, p2);
    RunData* run = slot->run;
    CallContext c = ContextFor(s, slot, CallKind::kAction, index);
    int16_t r = Checked(s, c, nullptr, [&] { return ActionTable[index](run, p1, p2); });
    FUZZ_EXPECT(r == 0, "action %d returned %d", index, r);
    size_t expected;
    if (index <= routines::kSetYear)
        expected = p1 >= kSetterBounds[index].low && p1 <= kSetterBounds[index].high ? 3 : 0;
    else if (index == routines::kShowObject)
        expected = c.visibleBefore == 1 ? 0 : 1;
    else if (index == routines::kHideObject)
        expected = c.visibleBefore == 0 ? 0 : 1;
    else if (index == routines::kStartChronometer || index == routines::kStopChronometer ||
             index == routines::kStartCountdown || index == routines::kStopCountdown)
        expected = 0;
    else
        expected = 1;
    FUZZ_EXPECT(sim::Calls().size() == expected, "action %d with %d made %zu call(s), expected %zu",
                index, p1, sim::Calls().size(), expected);
    if (index == routines::kShowObject)
        FUZZ_EXPECT(run->visible == 1, "ShowObject left visible %d", run->visible);
    if (index == routines::kHideObject)
        FUZZ_EXPECT(run->visible == 0, "HideObject left visible %d", run->visible);
}

void OpExpression(Session& s) {
    Slot* slot = LiveSlot(s, s.in.U8());
    int index = s.in.U8() % kExpressionCount;
    int32_t p = Param(s.in);
    if (!slot) return;
    Trace("expression %d (%d)", index, p);
    RunData* run = slot->run;
    SYSTEMTIME now = sim::Clock();
    CallContext c = ContextFor(s, slot, CallKind::kExpression, index);
    int32_t v = Checked(s, c, nullptr, [&] { return ExpressionTable[index](run, p); });
    const int32_t clockFields[8] = {now.wMilliseconds / 10, now.wSecond, now.wMinute, now.wHour,
                                    now.wDayOfWeek,         now.wDay,    now.wMonth,  now.wYear};
    const int16_t* facePoints[8] = {
        &run->centreX,        &run->centreY,        &run->hourHandEndX,   &run->hourHandEndY,
        &run->minuteHandEndX, &run->minuteHandEndY, &run->secondHandEndX, &run->secondHandEndY};
    const int16_t geometry[4] = {run->header.x, run->header.y, run->header.width,
                                 run->header.height};
    int32_t expected = v;
    if (index <= routines::kGetYear) {
        expected = clockFields[index];
    } else if (index >= routines::kGetCentreX && index <= routines::kGetSecondHandY) {
        int16_t origin = (index % 2) ? s.rh->displayOriginX : s.rh->displayOriginY;
        expected = slot->displayType == kDisplayAnalog
                       ? WrapAdd(*facePoints[index - routines::kGetCentreX], origin)
                       : 0;
    } else if (index == routines::kGetCountdown) {
        FUZZ_EXPECT(v >= 0, "GetCountdown gave %d, below 0", v);
    } else if (index >= routines::kGetXPosition) {
        expected = geometry[index - routines::kGetXPosition];
    }
    FUZZ_EXPECT(v == expected, "expression %d gave %d, expected %d", index, v, expected);
}

// ---- the world around the object ----

void OpClock(Session& s) {
    ByteReader& in = s.in;
    switch (in.U8() % kClockKindCount) {
    case kClockAdvance:
        sim::AdvanceClock(in.U16());
        break;
    case kClockJump:
        sim::AdvanceClock(static_cast<int32_t>(in.U32()));
        break;
    case kClockNewYearsEve: {
        int year = 1980 + in.U8() % 120;
        int before = in.U16() % 60000;
        sim::SetClock(year + 1, 1, 1, 0, 0, 0, 0);
        sim::AdvanceClock(-1 - before);
        break;
    }
    case kClockLeapDay: {
        int year = 1980 + 4 * (in.U8() % 30);
        int day = 28 + in.U8() % 2;
        int before = in.U16() % 60000;
        sim::SetClock(year, 2, day, 23, 59, 59, 999);
        sim::AdvanceClock(-before);
        break;
    }
    case kClockSummerTime:
        sim::AdvanceClock(3600000);
        break;
    case kClockWinterTime:
        sim::AdvanceClock(-3600000);
        break;
    case kClockSet: {
        int year = kFirstYear + in.U16() % (kLastYear - kFirstYear + 1);
        int month = 1 + in.U8() % 12;
        int day = 1 + in.U8() % civil::DaysInMonth(year, month);
        int hour = in.U8() % 24, minute = in.U8() % 60, second = in.U8() % 60;
        sim::SetClock(year, month, day, hour, minute, second, in.U16() % 1000);
        break;
    }
    }
    // A jump far outside what Windows keeps is not a clock a host can show.
    SYSTEMTIME now = sim::Clock();
    if (now.wYear < kFirstYear || now.wYear > kLastYear) sim::SetClock(fixture::kDefaultMoment);
    Trace("clock %04u-%02u-%02u %02u:%02u:%02u.%03u", now.wYear, now.wMonth, now.wDay, now.wHour,
          now.wMinute, now.wSecond, now.wMilliseconds);
}

void OpEventCount(Session& s) {
    uint8_t kind = s.in.U8();
    if (kind == 0)
        s.rh->eventCount = static_cast<int32_t>(s.in.U32());
    else
        s.rh->eventCount = WrapAdd(s.rh->eventCount, kind);
}

void OpDisplayOrigin(Session& s) {
    s.rh->displayOriginX = static_cast<int16_t>(s.in.U16());
    s.rh->displayOriginY = static_cast<int16_t>(s.in.U16());
}

void OpProfile(Session& s) {
    static const char* const kKeys[4] = {"s1159", "s2359", "sShortDate", "sLongDate"};
    const char* key = kKeys[s.in.U8() % 4];
    uint8_t length = s.in.U8();
    if (length == 255) {
        sim::RemoveProfileString("Intl", key);
        return;
    }
    char value[64];
    size_t n = length % sizeof value;
    s.in.Take(value, n);
    sim::SetProfileString("Intl", key, std::string(value, strnlen(value, n)).c_str());
}

void OpFailures(Session& s) {
    uint8_t bits = s.in.U8();
    if (bits & 1) {
        sim::FailNextLocalAlloc();
        s.allocArmed = true;
    }
    if (bits & 2) sim::FailFontCreate(s.fontCreateFails = !s.fontCreateFails);
    if (bits & 4) sim::FailGdiFont(s.gdiFontFails = !s.gdiFontFails);
}

void OpHostHeader(Session& s) {
    Slot* slot = LiveSlot(s, s.in.U8());
    uint8_t field = s.in.U8() % 5;
    int16_t value = static_cast<int16_t>(s.in.U16());
    if (!slot) return;
    ObjectHeader& h = slot->run->header;
    int16_t* fields[4] = {&h.x, &h.y, &h.width, &h.height};
    if (field < 4) {
        *fields[field] = value;
    } else {
        slot->flags = static_cast<uint8_t>(value);
        h.flags = slot->flags;
    }
}

void OpTextExtent(Session& s) {
    LONG width = s.in.U8(), height = s.in.U8();
    sim::SetTextExtent([width, height](const char*, int length) {
        return SIZE{width * length, height};
    });
}

// ---- the editor's entry points: fixed answers, no side effects ----

constexpr int64_t kNoResult = INT64_MIN;

struct EditorEntry {
    const char* name;
    int64_t (*call)(const EditorArg* a);
    int64_t expected;
};

template <typename R, typename... P, size_t... I>
int64_t CallWith(R(WINAPI* entry)(P...), const EditorArg* a, std::index_sequence<I...>) {
    if constexpr (std::is_void_v<R>) {
        entry(a[I]...);
        return kNoResult;
    } else {
        return entry(a[I]...);
    }
}

// Calls a fixed entry point with as many of the values as it takes.
template <typename R, typename... P> int64_t CallFixed(R(WINAPI* entry)(P...), const EditorArg* a) {
    return CallWith(entry, a, std::index_sequence_for<P...>{});
}

// What a fixed entry point answers, in its own result type.
template <typename R> constexpr int64_t Expected(int64_t answer) {
    if constexpr (std::is_void_v<R>)
        return kNoResult;
    else
        return static_cast<R>(answer);
}

// Every entry point with a fixed answer, from the contract's list.
const EditorEntry kEditorEntries[] = {
#define CHX_FIXED_ENTRY(result, name, ordinal, arguments, answer)                                  \
    {#name, [](const EditorArg* a) { return CallFixed(&name, a); }, Expected<result>(answer)},
#define CHX_OWN_ENTRY(result, name, ordinal, arguments, parameters)
#include "contract/entry_point_list.inc"
#undef CHX_FIXED_ENTRY
#undef CHX_OWN_ENTRY
};
constexpr int kEditorEntryCount = sizeof kEditorEntries / sizeof kEditorEntries[0];
// Three more that take or fill records are handled by hand below.
constexpr int kEditorChoices = kEditorEntryCount + 3;

void OpEditorEntry(Session& s) {
    int index = s.in.U8() % kEditorChoices;
    EditorArg a[7];
    for (EditorArg& arg : a)
        arg = s.in.U32();
    CallContext c = ContextFor(s, nullptr, CallKind::kEditor, index);
    if (index < kEditorEntryCount) {
        const EditorEntry& e = kEditorEntries[index];
        Trace("editor %s", e.name);
        int64_t v = Checked(s, c, nullptr, [&] { return e.call(a); });
        FUZZ_EXPECT(v == e.expected, "%s answered %lld, expected %lld", e.name,
                    static_cast<long long>(v), static_cast<long long>(e.expected));
    } else if (index == kEditorEntryCount) {
        uint32_t v = Checked(s, c, nullptr, [&] { return GetInfos(a[0]); });
        FUZZ_EXPECT(v == (a[0] == 0 ? kGetInfosAnswer : 0u), "GetInfos(%lu) answered %u",
                    static_cast<unsigned long>(a[0]), v);
    } else if (index == kEditorEntryCount + 1) {
        // Two bytes exactly: PutObject may write those and nothing else.
        int16_t* out = static_cast<int16_t*>(std::malloc(sizeof(int16_t)));
        *out = 0x7777;
        Checked(s, c, nullptr, [&] {
            PutObject(a[0], out, a[2], a[3]);
            return 0;
        });
        FUZZ_EXPECT(*out == 0, "PutObject wrote %d, expected 0", *out);
        std::free(out);
    } else {
        RegistrationRecord* record =
            static_cast<RegistrationRecord*>(std::malloc(sizeof(RegistrationRecord)));
        std::memset(record, 0xEE, sizeof *record);
        uint16_t hostField = static_cast<uint16_t>(a[1]);
        record->hostField = hostField;
        int16_t v = Checked(s, c, nullptr, [&] { return GetRunObjectInfos(a[0], record); });
        FUZZ_EXPECT(v == kGetRunObjectInfosAnswer, "GetRunObjectInfos answered %d", v);
        FUZZ_EXPECT(record->hostField == hostField, "GetRunObjectInfos wrote the host's field");
        FUZZ_EXPECT(record->conditionCount == kConditionCount &&
                        record->actionCount == kActionCount &&
                        record->expressionCount == kExpressionCount &&
                        record->editDataSize == kEditDataSize,
                    "registration counts %u %u %u size %u", record->conditionCount,
                    record->actionCount, record->expressionCount, record->editDataSize);
        std::free(record);
    }
}

} // namespace

void RunInput(const uint8_t* data, size_t size, int failAcquiringCall) {
    sim::Reset();
    sim::FailNthAcquiringCall(failAcquiringCall);
    InstallCheckingCallbacks(sim::TheRunHeader());
    Session s;
    s.in = ByteReader{data, size, 0};
    s.rh = sim::TheRunHeader();
    s.in.Take(s.edit, kEditDataSize);
    s.createX = static_cast<int16_t>(s.in.U16());
    s.createY = static_cast<int16_t>(s.in.U16());

    while (!s.in.AtEnd()) {
        switch (s.in.U8() % kOpCount) {
        case kOpCreate:
            OpCreate(s);
            break;
        case kOpDestroy:
            OpDestroy(s);
            break;
        case kOpHandle:
            OpHandle(s);
            break;
        case kOpFrames:
            OpFrames(s);
            break;
        case kOpDisplay:
            OpDisplay(s);
            break;
        case kOpPause:
            OpSimple(s, CallKind::kPause);
            break;
        case kOpContinue:
            OpSimple(s, CallKind::kContinue);
            break;
        case kOpReInit:
            OpSimple(s, CallKind::kReInit);
            break;
        case kOpCondition:
            OpCondition(s);
            break;
        case kOpAction:
            OpAction(s);
            break;
        case kOpExpression:
            OpExpression(s);
            break;
        case kOpClock:
            OpClock(s);
            break;
        case kOpEventCount:
            OpEventCount(s);
            break;
        case kOpDisplayOrigin:
            OpDisplayOrigin(s);
            break;
        case kOpProfile:
            OpProfile(s);
            break;
        case kOpFailures:
            OpFailures(s);
            break;
        case kOpEditorEntry:
            OpEditorEntry(s);
            break;
        case kOpHostHeader:
            OpHostHeader(s);
            break;
        case kOpTextExtent:
            OpTextExtent(s);
            break;
        }
    }

    // The frame ends: the host destroys what is left, and every font it
    // registered must be back.
    for (Slot& slot : s.slots)
        if (slot.state != SlotState::kEmpty) Destroy(s, slot);
    FUZZ_EXPECT(sim::LiveHostFonts() == 0, "%d host font(s) still registered at the end",
                sim::LiveHostFonts());
}

} // namespace fuzz
