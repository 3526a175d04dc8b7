#include <cstring>

#include "simulated_machine/sim_state.h"

namespace sim {

State& state() {
    static State s;
    return s;
}

void Record(const char* op, std::initializer_list<int64_t> args, const char* text) {
    if (!state().recording) return;
    Call call;
    call.op = op;
    call.args.assign(args.begin(), args.end());
    if (text) call.text = text;
    state().calls.push_back(std::move(call));
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
