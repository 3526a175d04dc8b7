// The benchmark driver: registers every pair a few rounds over, checks that
// each floor makes its figure's platform calls, runs them, and prints one
// table of figure, floor or peer, ratio and goal.
#include <alloca.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#define CHX_HAVE_CALLGRIND 1
#else
#define CHX_HAVE_CALLGRIND 0
#endif

#include "bench/floor_check.h"
#include "bench/pairs.h"

namespace bench {
namespace {

struct Pair {
    std::string group;
    Side figure;
    Side floor;
    std::string floorLabel; // the floor's own name; floor.name is unique per pair
    Goal goal;
    Check check;
    std::string callDifference; // empty when the floor's calls match
};

std::vector<Pair>& Pairs() {
    static std::vector<Pair> pairs;
    return pairs;
}

// Keeps the fastest round of every benchmark: on a shared machine the
// slower rounds measure the neighbours.
class Collector : public benchmark::BenchmarkReporter {
  public:
    explicit Collector(bool echo) : echo_(echo) {}
    bool ReportContext(const Context& context) override {
        return echo_ ? console_.ReportContext(context) : true;
    }
    void ReportRuns(const std::vector<Run>& runs) override {
        if (echo_) console_.ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred || run.run_type != Run::RT_Iteration) continue;
            double ns = run.GetAdjustedCPUTime();
            const std::string& name = run.run_name.function_name;
            auto it = best_.find(name);
            if (it == best_.end() || ns < it->second) best_[name] = ns;
        }
    }
    bool Has(const std::string& name) const { return best_.count(name) != 0; }
    double Best(const std::string& name) const { return best_.at(name); }

  private:
    bool echo_;
    benchmark::ConsoleReporter console_;
    std::map<std::string, double> best_;
};

const char* GoalText(Goal goal) {
    switch (goal) {
    case Goal::kWithin2ns:
        return "≤ floor + 2 ns";
    case Goal::kAtMost1p5:
        return "≤ 1.5 ×";
    case Goal::kAtMost1p2:
        return "≤ 1.2 ×";
    case Goal::kFaster:
        return "< 1 ×";
    default:
        return "";
    }
}

bool Met(Goal goal, double figure, double floor) {
    switch (goal) {
    case Goal::kWithin2ns:
        return figure - floor <= 2.0;
    case Goal::kAtMost1p5:
        return figure <= 1.5 * floor;
    case Goal::kAtMost1p2:
        return figure <= 1.2 * floor;
    case Goal::kFaster:
        return figure < floor;
    default:
        return true;
    }
}

std::string Nanoseconds(double ns) {
    char text[32];
    std::snprintf(text, sizeof text, ns < 100 ? "%.1f" : "%.0f", ns);
    return text;
}

// Prints the table; returns how many goals were missed or floors were wrong.
int PrintTable(const Collector& results, const std::string& extraRows) {
    int misses = 0;
    std::printf("| Figure | ns | Floor or peer | ns | Ratio | Goal | |\n");
    std::printf("|---|---:|---|---:|---:|---|---|\n");
    for (const Pair& p : Pairs()) {
        if (!results.Has(p.figure.name) || !results.Has(p.floor.name)) continue;
        double a = results.Best(p.figure.name), b = results.Best(p.floor.name);
        std::string verdict;
        if (!p.callDifference.empty()) {
            verdict = "floor differs: " + p.callDifference;
            ++misses;
        } else if (p.goal == Goal::kNone) {
            verdict = "";
        } else if (Met(p.goal, a, b)) {
            verdict = "met";
        } else {
            verdict = "**missed**";
            ++misses;
        }
        std::printf("| %s | %s | %s | %s | %.2f | %s | %s |\n", p.figure.name.c_str(),
                    Nanoseconds(a).c_str(), p.floorLabel.c_str(), Nanoseconds(b).c_str(), a / b,
                    GoalText(p.goal), verdict.c_str());
    }
    if (!extraRows.empty()) {
        std::ifstream in(extraRows);
        std::string line;
        while (std::getline(in, line))
            if (!line.empty() && line[0] == '|') std::printf("%s\n", line.c_str());
    }
    return misses;
}

// Under callgrind: each side's steps, after its setup, in a dump of their own
// named after the side, so that instruction counts can stand beside the times.
// Instruction counts do not drift with the machine's load.
int DumpInstructions(int steps, const std::string& filter) {
#if CHX_HAVE_CALLGRIND
    if (!RUNNING_ON_VALGRIND) {
        std::fprintf(stderr, "--instructions needs valgrind --tool=callgrind\n");
        return 2;
    }
    for (const Pair& p : Pairs()) {
        if (!filter.empty() && p.figure.name.find(filter) == std::string::npos) continue;
        for (const Side* side : {&p.figure, &p.floor}) {
            side->setup();
            CALLGRIND_ZERO_STATS;
            for (int i = 0; i < steps; ++i)
                side->once();
            CALLGRIND_DUMP_STATS_AT(side->name.c_str());
        }
    }
    return 0;
#else
    (void)steps;
    (void)filter;
    std::fprintf(stderr, "built without valgrind's client requests\n");
    return 2;
#endif
}

struct Options {
    int rounds = 15;
    double minTime = 0.01;
    bool echo = false;
    bool checkOnly = false;
    int instructionSteps = 0;
    std::string extraRows, filter;
    std::vector<char*> rest; // for the benchmark library
};

bool TakeFlag(const char* arg, const char* name, std::string* value) {
    size_t n = std::strlen(name);
    if (std::strncmp(arg, name, n) != 0) return false;
    if (arg[n] == '=') {
        *value = arg + n + 1;
        return true;
    }
    if (arg[n] == '\0') {
        *value = "1";
        return true;
    }
    return false;
}

Options ParseOptions(int argc, char** argv) {
    Options o;
    o.rest.push_back(argv[0]);
    for (int i = 1; i < argc; ++i) {
        std::string v;
        if (TakeFlag(argv[i], "--rounds", &v))
            o.rounds = std::max(1, std::atoi(v.c_str()));
        else if (TakeFlag(argv[i], "--min-time", &v))
            o.minTime = std::atof(v.c_str());
        else if (TakeFlag(argv[i], "--echo", &v))
            o.echo = true;
        else if (TakeFlag(argv[i], "--check-only", &v))
            o.checkOnly = true;
        else if (TakeFlag(argv[i], "--extra-rows", &v))
            o.extraRows = v;
        else if (TakeFlag(argv[i], "--instructions", &v))
            o.instructionSteps = std::max(1, std::atoi(v.c_str()));
        else if (TakeFlag(argv[i], "--only", &v))
            o.filter = v;
        else
            o.rest.push_back(argv[i]);
    }
    return o;
}

// Runs every floor beside its figure once; returns how many make other calls.
int CheckFloors() {
    int wrongFloors = 0;
    for (Pair& p : Pairs()) {
        if (p.check != Check::kSameCalls) continue;
        p.callDifference = CallDifference(p.figure, p.floor);
        if (!p.callDifference.empty()) {
            ++wrongFloors;
            std::fprintf(stderr, "%s: floor %s makes other calls: %s\n", p.figure.name.c_str(),
                         p.floorLabel.c_str(), p.callDifference.c_str());
        }
    }
    return wrongFloors;
}

void RegisterRounds(const Options& o) {
    for (int round = 0; round < o.rounds; ++round) {
        for (const Pair& p : Pairs()) {
            if (!o.filter.empty() && p.figure.name.find(o.filter) == std::string::npos) continue;
            for (const Side* side : {&p.figure, &p.floor}) {
                // Each round runs on a stack shifted by another amount: a loop
                // whose locals happen to alias its data at a 4 KiB stride runs
                // several times slower for a whole process, and the fastest
                // round should not depend on where the stack began.
                size_t shift = 64 + static_cast<size_t>(round) * 1040 % 4096;
                benchmark::RegisterBenchmark(side->name.c_str(), [side,
                                                                  shift](benchmark::State& state) {
                    volatile char* pad = static_cast<char*>(alloca(shift));
                    pad[0] = 0;
                    side->loop(state);
                })->MinTime(o.minTime);
            }
        }
    }
}

} // namespace

void AddPair(const char* group, Side figure, Side floor, Goal goal, Check check) {
    figure.name = std::string(group) + ": " + figure.name;
    std::string label = floor.name;
    floor.name = figure.name + " | " + label;
    Pairs().push_back(
        Pair{group, std::move(figure), std::move(floor), std::move(label), goal, check, {}});
}

} // namespace bench

int main(int argc, char** argv) {
    using namespace bench;
    Options options = ParseOptions(argc, argv);
    int restCount = static_cast<int>(options.rest.size());
    benchmark::Initialize(&restCount, options.rest.data());

    RegisterHandlePairs();
    RegisterDisplayPairs();
    RegisterCalendarPairs();
    RegisterTimerPairs();

    int wrongFloors = CheckFloors();
    if (options.checkOnly) return wrongFloors ? 1 : 0;
    if (options.instructionSteps) return DumpInstructions(options.instructionSteps, options.filter);

    RegisterRounds(options);
    Collector collector(options.echo);
    benchmark::RunSpecifiedBenchmarks(&collector);
    int misses = PrintTable(collector, options.extraRows);
    benchmark::Shutdown();
    return misses ? 1 : 0;
}
