#include <cstring>

#include "simulated_machine/sim_state.h"

namespace sim {

State& state() {
    static State s;
    return s;
}

void Record(const char* op, std::initializer_list<int64_t> args, const char* text, bool failed) {
    if (!state().recording) return;
    Call call;
    call.op = op;
    call.args.assign(args.begin(), args.end());
    if (text) call.text = text;
    call.failed = failed;
    state().calls.push_back(std::move(call));
}

bool Fails(Acquiring call, bool switchedOn) {
    State& s = state();
    if (++s.acquiringCalls == s.failNth) {
        s.failedByNth = call;
        return true;
    }
    return switchedOn;
}

namespace {

struct AcquiringCallInfo {
    const char* name;
    const char* failure;
};

const AcquiringCallInfo kAcquiringCalls[] = {
#define CHX_ACQUIRING_CALL(name, failure) {#name, failure},
#include "simulated_machine/acquiring_calls.inc"
#undef CHX_ACQUIRING_CALL
};

} // namespace

const char* AcquiringCallName(Acquiring call) {
    return call < Acquiring::kCount ? kAcquiringCalls[static_cast<int>(call)].name : "none";
}
const char* AcquiringCallFailure(Acquiring call) {
    return call < Acquiring::kCount ? kAcquiringCalls[static_cast<int>(call)].failure : "";
}
void FailNthAcquiringCall(int n) {
    state().failNth = n;
    state().acquiringCalls = 0;
    state().failedByNth = Acquiring::kCount;
}
int AcquiringCalls() {
    return state().acquiringCalls;
}
Acquiring FailedAcquiringCall() {
    return state().failedByNth;
}

uintptr_t NewHandle() {
    return state().nextHandle += kMadeHandleStep;
}

void ResetHost(); // sim_hostrun.cpp

void Reset() {
    for (void* p : state().liveAllocs)
        std::free(p);
    state() = State(); // the clock at the default moment
    ResetHost();
}

void SetRecording(bool on) {
    state().recording = on;
}
std::vector<Call>& Calls() {
    return state().calls;
}
void ClearCalls() {
    state().calls.clear();
}

std::vector<Call> CallsNamed(const char* op) {
    std::vector<Call> out;
    for (const Call& c : state().calls)
        if (c.op == op) out.push_back(c);
    return out;
}

int LiveGdiObjects() {
    return static_cast<int>(state().liveGdi.size());
}
bool IsLiveGdiObject(HGDIOBJ object) {
    return state().liveGdi.count(reinterpret_cast<uintptr_t>(object)) != 0;
}
int OutstandingDCs() {
    return static_cast<int>(state().dcs.size());
}

void SetTextExtent(std::function<SIZE(const char*, int)> measure) {
    state().measure = std::move(measure);
}

} // namespace sim
