#include "bench/floor_check.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "bench/null_host.h"
#include "simulated_machine/sim_machine.h"

namespace bench {
namespace {

// The platform calls one step makes: the recorded ones of the simulated
// machine in order, the null host's counts and the clock reads.
struct Trace {
    std::vector<std::string> ops;
    nullhost::Counts host;
    int clockReads;
};

Trace TraceOf(const Side& side) {
    side.setup();
    sim::SetRecording(true);
    sim::ClearCalls();
    nullhost::ClearCounts();
    int reads = sim::ClockReads();
    side.once();
    Trace t;
    for (const sim::Call& c : sim::Calls())
        t.ops.push_back(c.op);
    t.host = nullhost::g_counts;
    t.clockReads = sim::ClockReads() - reads;
    sim::SetRecording(false);
    sim::ClearCalls();
    return t;
}

std::string Difference(const Trace& a, const Trace& b) {
    char text[160];
    if (a.clockReads != b.clockReads) {
        std::snprintf(text, sizeof text, "clock reads %d vs %d", a.clockReads, b.clockReads);
        return text;
    }
    for (int op = 0; op < nullhost::kOpCount; ++op) {
        if (a.host.calls[op] != b.host.calls[op]) {
            std::snprintf(text, sizeof text, "%s %llu vs %llu", nullhost::OpName(op),
                          static_cast<unsigned long long>(a.host.calls[op]),
                          static_cast<unsigned long long>(b.host.calls[op]));
            return text;
        }
    }
    size_t n = std::min(a.ops.size(), b.ops.size());
    for (size_t i = 0; i < n; ++i) {
        if (a.ops[i] != b.ops[i]) {
            std::snprintf(text, sizeof text, "call %zu: %s vs %s", i, a.ops[i].c_str(),
                          b.ops[i].c_str());
            return text;
        }
    }
    if (a.ops.size() != b.ops.size()) {
        std::snprintf(text, sizeof text, "%zu vs %zu recorded calls", a.ops.size(), b.ops.size());
        return text;
    }
    return {};
}

} // namespace

std::string CallDifference(const Side& figure, const Side& floor) {
    return Difference(TraceOf(figure), TraceOf(floor));
}

} // namespace bench
