#include "tests/fuzz/fuzz_session.h"

#include "simulated_machine/sim_machine.h"
#include "tests/fuzz/fuzz_report.h"
#include "tests/fuzz/session.h"
#include "tests/fuzz/session_ops.h"

namespace fuzz {
namespace {

struct Operation {
    Op op;
    void (*play)(Session& s);
};

// Each operation at its code's place, which the assertion below holds.
constexpr Operation kOperations[] = {
    {kOpCreate, OpCreate},           {kOpDestroy, OpDestroy},
    {kOpHandle, OpHandle},           {kOpFrames, OpFrames},
    {kOpDisplay, OpDisplay},         {kOpPause, OpPause},
    {kOpContinue, OpContinue},       {kOpReInit, OpReInit},
    {kOpCondition, OpCondition},     {kOpAction, OpAction},
    {kOpExpression, OpExpression},   {kOpClock, OpClock},
    {kOpEventCount, OpEventCount},   {kOpDisplayOrigin, OpDisplayOrigin},
    {kOpProfile, OpProfile},         {kOpFailures, OpFailures},
    {kOpEditorEntry, OpEditorEntry}, {kOpHostHeader, OpHostHeader},
    {kOpTextExtent, OpTextExtent},
};

constexpr bool EachInPlace() {
    for (size_t i = 0; i < sizeof kOperations / sizeof kOperations[0]; ++i)
        if (kOperations[i].op != i) return false;
    return sizeof kOperations / sizeof kOperations[0] == kOpCount;
}
static_assert(EachInPlace());

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

    while (!s.in.AtEnd())
        kOperations[s.in.U8() % kOpCount].play(s);

    // The frame ends: the host destroys what is left, and every font it
    // registered must be back.
    DestroyAll(s);
    FUZZ_EXPECT(sim::LiveHostFonts() == 0, "%d host font(s) still registered at the end",
                sim::LiveHostFonts());
}

} // namespace fuzz
