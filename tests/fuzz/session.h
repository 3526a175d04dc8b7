// The state of one fuzz session, the host's side of it: the objects alive,
// the run header, the failures armed and the input still to read; and the
// helpers with which every operation calls into the module and checks it.
#pragma once

#include <cstdint>

#include "core/records.h"
#include "simulated_machine/sim_machine.h"
#include "tests/fuzz/byte_reader.h"
#include "tests/fuzz/call_checks.h"
#include "tests/fuzz/fuzz_ops.h"
#include "tests/fuzz/guarded_block.h"
#include "tests/fuzz/write_sets.h"

namespace fuzz {

constexpr uint8_t kHeaderPattern = 0x3C;
constexpr int kFrameBudget = 400; // frames per input, to keep executions fast

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

inline uint8_t* Reserved(RunData* run) {
    return run->header.reserved;
}

// scan: look at the guard patterns too, which ASan already watches byte by
// byte when it is there.
void CheckSlot(const Session& s, const Slot& slot, int i, bool scan);
// What must hold between any two calls.
void CheckWorld(const Session& s);

CallContext ContextFor(const Session& s, const Slot* slot, CallKind kind, int index);

// Runs one call with the callbacks knowing it is under way.
template <class F> auto CallUnderWay(const CallContext& c, F&& call) {
    sim::ClearCalls();
    g_callUnderWay = &c;
    auto result = call();
    g_callUnderWay = nullptr;
    return result;
}

// A LocalAlloc failure armed by the input is spent once a call allocates.
inline void DisarmSpentAllocFailure(Session& s) {
    if (s.allocArmed && !sim::CallsNamed("LocalAlloc").empty()) s.allocArmed = false;
}

// Runs one call with its checks; the call log stays readable until the next.
template <class F> auto Checked(Session& s, const CallContext& c, int* pushes, F&& call) {
    static RunSnapshot before;
    if (c.run) TakeSnapshot(&before, c.run);
    auto result = CallUnderWay(c, call);
    if (c.run) CheckWriteSet(c, before, c.run);
    int n = CheckCallLog(c);
    if (pushes) *pushes = n;
    DisarmSpentAllocFailure(s);
    CheckWorld(s);
    return result;
}

Slot* LiveSlot(Session& s, uint8_t byte);

} // namespace fuzz
