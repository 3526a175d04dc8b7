// The object's life as the host drives it: creation, the frame loop's
// handling and drawing, pause, continue, reinitialisation and destruction.
#include <cstdlib>
#include <cstring>

#include "contract/entry_points.h"
#include "core/numeric.h"
#include "tests/fuzz/fuzz_report.h"
#include "tests/fuzz/session.h"
#include "tests/fuzz/session_ops.h"

namespace fuzz {
namespace {

// Whether a call of the last entry point call was failed on purpose.
bool AnyCallFailed() {
    for (const sim::Call& k : sim::Calls())
        if (k.failed) return true;
    return false;
}

bool HasNul(const char* text, size_t size) {
    return std::memchr(text, 0, size) != nullptr;
}

void FreeSlot(Slot& slot) {
    FreeGuardedBlock(&slot.block);
    slot = Slot{};
}

// The host's records for one creation, sized exactly, so that a read past
// either faults.
struct HostRecords {
    uint8_t* edit;
    uint8_t stored[kEditDataSize]; // the edit data as handed over
    CreationRecord* creation;
};

HostRecords NewHostRecords(Session& s, uint8_t how) {
    HostRecords h;
    h.edit = static_cast<uint8_t*>(std::malloc(kEditDataSize));
    std::memcpy(h.edit, s.edit, kEditDataSize);
    if (how & kCreateSetType) {
        int16_t type = static_cast<int16_t>(s.in.U8() % 4);
        std::memcpy(h.edit + (offsetof(EditData, settings) + offsetof(ObjectSettings, displayType)),
                    &type, 2);
    }
    if (how & kCreateSetMode) {
        int16_t mode = static_cast<int16_t>(s.in.U8() % 3);
        std::memcpy(h.edit + (offsetof(EditData, settings) + offsetof(ObjectSettings, clockMode)),
                    &mode, 2);
    }
    std::memcpy(h.stored, h.edit, kEditDataSize);
    h.creation = static_cast<CreationRecord*>(std::malloc(sizeof(CreationRecord)));
    std::memset(h.creation->hostFields, 0xEE, sizeof h.creation->hostFields);
    h.creation->x = s.createX;
    h.creation->y = s.createY;
    return h;
}

// The run data as the host hands it over: zero-filled between guards, with
// the host's part of the header patterned and out of bounds.
void PrepareSlot(const Session& s, Slot& slot) {
    slot.block = NewGuardedBlock(sizeof(RunData));
    slot.run = reinterpret_cast<RunData*>(Body(slot.block));
    slot.run->header.runHeader = s.rh;
    std::memset(Reserved(slot.run), kHeaderPattern, sizeof slot.run->header.reserved);
    PoisonRegion(Reserved(slot.run), sizeof slot.run->header.reserved);
    slot.state = SlotState::kFailed; // until it answers 0
}

void CheckCreated(const Session& s, const Slot& slot, const EditData& e, bool needsFont) {
    const RunData* run = slot.run;
    FUZZ_EXPECT((slot.fontHandle != 0) == needsFont, "display type %d holds font %u after creation",
                slot.displayType, slot.fontHandle);
    FUZZ_EXPECT(HasNul(run->settings.analogFontStyle, kStyleTextSize) &&
                    HasNul(run->settings.digitalFontStyle, kStyleTextSize) &&
                    HasNul(run->settings.calendarFontStyle, kStyleTextSize),
                "a style text copied without its NUL");
    FUZZ_EXPECT(run->visible == 1 && run->firstHandle == 1,
                "created with visible %d firstHandle %d, expected 1 1", run->visible,
                run->firstHandle);
    FUZZ_EXPECT(run->header.x == s.createX && run->header.y == s.createY &&
                    run->header.width == e.width && run->header.height == e.height,
                "created at (%d, %d) size %d x %d, expected (%d, %d) %d x %d", run->header.x,
                run->header.y, run->header.width, run->header.height, s.createX, s.createY, e.width,
                e.height);
}

void Destroy(Session& s, Slot& slot) {
    Trace("destroy");
    CallContext c = ContextFor(s, &slot, CallKind::kDestroy, 0);
    int16_t r = CallUnderWay(c, [&] { return DestroyRunObject(slot.run, 0x5EED); });
    CheckCallLog(c);
    FUZZ_EXPECT(r == 0, "DestroyRunObject returned %d", r);
    CheckSlot(s, slot, static_cast<int>(&slot - s.slots), true);
    // Freed at once: a module that kept the record would now touch freed memory.
    FreeSlot(slot);
    CheckWorld(s);
}

int16_t Handle(Session& s, Slot& slot) {
    int pushes = 0;
    CallContext c = ContextFor(s, &slot, CallKind::kHandle, 0);
    int16_t r = Checked(s, c, &pushes, [&] { return HandleRunObject(slot.run); });
    FUZZ_EXPECT(r == 0 || r == kResultRedraw, "HandleRunObject returned %d, expected 0 or 2", r);
    FUZZ_EXPECT(slot.handled || r == kResultRedraw, "first HandleRunObject returned %d, expected 2",
                r);
    FUZZ_EXPECT(pushes == 0 || r == kResultRedraw,
                "HandleRunObject pushed %d event(s) and returned %d", pushes, r);
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

} // namespace

void OpCreate(Session& s) {
    Slot& slot = s.slots[s.in.U8() % kSlots];
    uint8_t how = s.in.U8();
    if (slot.state == SlotState::kLive) return; // a host creates an object once
    if (slot.state == SlotState::kFailed) FreeSlot(slot);

    HostRecords host = NewHostRecords(s, how);
    if (how & kCreateFailAlloc) {
        sim::FailNextLocalAlloc();
        s.allocArmed = true;
    }
    bool fontFails = s.fontCreateFails || (how & kCreateFailFont);
    sim::FailFontCreate(fontFails);

    PrepareSlot(s, slot);
    const EditData* e = reinterpret_cast<const EditData*>(host.stored);
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
    EditData* edit = reinterpret_cast<EditData*>(host.edit);
    int16_t r = CallUnderWay(c, [&] { return CreateRunObject(run, edit, host.creation); });
    CheckCallLog(c);
    DisarmSpentAllocFailure(s);
    sim::FailFontCreate(s.fontCreateFails);

    FUZZ_EXPECT(r == 0 || r == -1, "CreateRunObject returned %d, expected 0 or -1", r);
    FUZZ_EXPECT(std::memcmp(host.edit, host.stored, kEditDataSize) == 0,
                "CreateRunObject wrote the edit data");
    std::free(host.edit);
    std::free(host.creation);
    const bool due = mayFail || AnyCallFailed();
    FUZZ_EXPECT((r == -1) == due, "CreateRunObject returned %d; failure %s", r,
                due ? "was due" : "had no cause");
    if (r == 0) {
        slot.state = SlotState::kLive;
        slot.fontHandle = static_cast<uint16_t>(run->fontHandle);
        CheckCreated(s, slot, *e, needsFont);
    } else {
        FUZZ_EXPECT(run->visible == 0 && run->firstHandle == 0 && run->fontHandle == 0,
                    "failed creation left visible %d firstHandle %d fontHandle %d", run->visible,
                    run->firstHandle, run->fontHandle);
    }
    CheckWorld(s);
}

void OpDestroy(Session& s) {
    Slot& slot = s.slots[s.in.U8() % kSlots];
    if (slot.state != SlotState::kEmpty) Destroy(s, slot);
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
            if (Handle(s, slot) == kResultRedraw) Display(s, slot);
        }
    }
}

void OpPause(Session& s) {
    OpSimple(s, CallKind::kPause);
}

void OpContinue(Session& s) {
    OpSimple(s, CallKind::kContinue);
}

void OpReInit(Session& s) {
    OpSimple(s, CallKind::kReInit);
}

// The frame ends: the host destroys what is left.
void DestroyAll(Session& s) {
    for (Slot& slot : s.slots)
        if (slot.state != SlotState::kEmpty) Destroy(s, slot);
}

} // namespace fuzz
