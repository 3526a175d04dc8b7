#include "tests/fuzz/session.h"

#include <cstddef>

#include "tests/fuzz/fuzz_report.h"

namespace fuzz {

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

Slot* LiveSlot(Session& s, uint8_t byte) {
    Slot& slot = s.slots[byte % kSlots];
    return slot.state == SlotState::kLive ? &slot : nullptr;
}

} // namespace fuzz
