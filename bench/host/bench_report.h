// What chronyx-bench-host measured, and the two ways it is shown: a report
// for people, or rows of the benchmark table (--rows).
#pragma once

#include <cstdint>
#include <vector>

#include "bench/host/bench_mode.h"

// Analog, digital, invisible and calendar: the display types, in their order.
constexpr int32_t kBenchTypes = 4;

struct BenchFrame {
    double handleSeconds;
    double displaySeconds;
    int32_t draws;
};

struct BenchFigures {
    int32_t count = 0; // objects in all
    std::vector<BenchFrame> frames;
    // The draws made during the frames, by type.
    double drawSeconds[kBenchTypes] = {};
    int64_t drawCount[kBenchTypes] = {};
    // One draw of each type alone and its bare calls (medians); 0 for a type
    // without bare calls.
    double moduleDraw[kBenchTypes] = {};
    double bareDraw[kBenchTypes] = {};
    double clockReadNs = 0.0;
    int32_t pushes = 0;
};

double Median(std::vector<double> values);

void PrintBenchRows(const BenchFigures& figures, const BenchOptions& options);
void PrintBenchReport(const BenchFigures& figures, const BenchOptions& options);
