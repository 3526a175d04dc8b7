// A figure and its floor (or peer) are registered together and measured in
// the same run, one after the other, so that their ratio holds even when the
// machine's speed drifts between runs.
#pragma once

#include <benchmark/benchmark.h>

#include <functional>
#include <string>

namespace bench {

// What a pair must show; each is judged on the two figures of one run.
enum class Goal {
    kNone,      // shown for information
    kWithin2ns, // figure - floor <= 2 ns
    kAtMost1p5, // figure / floor <= 1.5
    kAtMost1p2, // figure / floor <= 1.2
    kFaster,    // figure / floor < 1
};

// Floors must make exactly the platform calls of their figure: before timing,
// both are run once with the simulated machine's recorder on and the null
// host's counters cleared, and any difference is reported. A peer (another
// implementation of the same work) is not checked.
enum class Check { kSameCalls, kPeer };

struct Side {
    std::string name;
    std::function<void()> setup; // before the timed loop; may reset the machine
    std::function<void(benchmark::State&)> loop;
    std::function<void()> once; // one step, for the call check
};

// Builds a side from a setup and a step; the step is inlined into the loop.
template <class Setup, class Step> Side MakeSide(std::string name, Setup setup, Step step) {
    Side side;
    side.name = std::move(name);
    side.setup = setup;
    side.loop = [setup, step](benchmark::State& state) {
        setup();
        for (auto _ : state)
            step();
    };
    side.once = step;
    return side;
}

void AddPair(const char* group, Side figure, Side floor, Goal goal, Check check);

// Registration of each group of pairs, in the order of the table.
void RegisterHandlePairs();
void RegisterDisplayPairs();
void RegisterCalendarPairs();
void RegisterTimerPairs();

} // namespace bench
