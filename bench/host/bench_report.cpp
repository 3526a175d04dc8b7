#include "bench/host/bench_report.h"

#include <algorithm>
#include <cstdio>

#include "bench/host/bare_draws.h"

namespace {

const char* const kTypeNames[kBenchTypes] = {"analog", "digital", "invisible", "calendar"};

double Max(const std::vector<double>& values) {
    return values.empty() ? 0.0 : *std::max_element(values.begin(), values.end());
}

// Frames by what happened on them: nothing sampled or drawn, sampled but
// nothing drawn, everything drawn. The objects sample on every twelfth frame
// from the twelfth on, all together.
struct FrameClasses {
    int32_t count;
    std::vector<double> quiet, sampled, allRedraw, handleAll;
    double perObjectUs, quietUs, worstMs, firstMs;
};

FrameClasses Classify(const BenchFigures& figures, const BenchOptions& options) {
    FrameClasses c{};
    c.count = figures.count;
    const std::vector<BenchFrame>& frames = figures.frames;
    double total = 0.0;
    for (size_t f = 0; f < frames.size(); ++f) {
        const BenchFrame& frame = frames[f];
        double seconds = frame.handleSeconds + frame.displaySeconds;
        total += seconds;
        const bool sampling = f % 12 == 11;
        if (frame.draws == 0) (sampling ? c.sampled : c.quiet).push_back(seconds);
        // The first frame draws everything too, but on cold fonts and caches:
        // it is shown on its own.
        if (frame.draws == c.count && f > 0) {
            c.allRedraw.push_back(seconds);
            c.handleAll.push_back(frame.handleSeconds);
        }
    }
    c.perObjectUs = total / options.frames / c.count * 1e6;
    c.quietUs = Median(c.quiet) / c.count * 1e6;
    c.worstMs = Max(c.allRedraw) * 1e3;
    c.firstMs = frames.empty() ? 0.0 : (frames[0].handleSeconds + frames[0].displaySeconds) * 1e3;
    return c;
}

} // namespace

double Median(std::vector<double> values) {
    if (values.empty()) return 0.0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void PrintBenchRows(const BenchFigures& figures, const BenchOptions& options) {
    const FrameClasses c = Classify(figures, options);
    const double frameMs = 1000.0 / options.fps;
    char label[96];
    std::snprintf(label, sizeof label, "%d mixed objects", c.count);
    std::printf("| Wine: %s, mean per object per frame | %.2f µs | 1/%d of a %.1f ms frame "
                "| %.2f µs | %.2f | | |\n",
                label, c.perObjectUs, c.count, frameMs, frameMs * 1e3 / c.count,
                c.perObjectUs / (frameMs * 1e3 / c.count));
    std::printf("| Wine: %s, frame without draws (median) | %.3f ms | %.0f fps frame | %.1f ms "
                "| %.2f | ≤ 1 × | %s |\n",
                label, Median(c.quiet) * 1e3, static_cast<double>(options.fps), frameMs,
                Median(c.quiet) * 1e3 / frameMs,
                Median(c.quiet) * 1e3 <= frameMs ? "met" : "**missed**");
    std::printf("| Wine: %s, sampling frame without draws (median) | %.3f ms | %.0f fps "
                "frame | %.1f ms | %.2f | ≤ 1 × | %s |\n",
                label, Median(c.sampled) * 1e3, static_cast<double>(options.fps), frameMs,
                Median(c.sampled) * 1e3 / frameMs,
                Median(c.sampled) * 1e3 <= frameMs ? "met" : "**missed**");
    std::printf("| Wine: %s, first frame, all drawn | %.2f ms | %.0f fps frame | %.1f ms | %.2f "
                "| | |\n",
                label, c.firstMs, static_cast<double>(options.fps), frameMs, c.firstMs / frameMs);
    std::printf(
        "| Wine: %s, sampling frame where all redraw (worst of %zu) | %.2f ms | %.0f fps frame "
        "| %.1f ms | %.2f | ≤ 1 × | %s |\n",
        label, c.allRedraw.size(), c.worstMs, static_cast<double>(options.fps), frameMs,
        c.worstMs / frameMs, c.worstMs <= frameMs ? "met" : "**missed**");
    for (int32_t type = 0; type < kBenchTypes; ++type) {
        if (!BareDrawFor(type)) continue;
        double ratio = figures.moduleDraw[type] / figures.bareDraw[type];
        std::printf(
            "| Wine: one %s draw (median) | %.1f µs | bare calls | %.1f µs | %.2f | ≤ 1.2 × "
            "| %s |\n",
            kTypeNames[type], figures.moduleDraw[type] * 1e6, figures.bareDraw[type] * 1e6, ratio,
            ratio <= 1.2 ? "met" : "**missed**");
    }
    for (int32_t type = 0; type < kBenchTypes; ++type) {
        if (!BareDrawFor(type)) continue;
        std::printf("| Wine: %s objects that fit one %.0f fps frame of redraws | %.0f | | | "
                    "| | |\n",
                    kTypeNames[type], static_cast<double>(options.fps),
                    frameMs / 1e3 / figures.moduleDraw[type]);
    }
    std::printf("| Wine: GetLocalTime, one call on the real clock | %.0f ns | | | | | |\n",
                figures.clockReadNs);
}

void PrintBenchReport(const BenchFigures& figures, const BenchOptions& options) {
    const FrameClasses c = Classify(figures, options);
    const double frameMs = 1000.0 / options.fps;
    std::printf("%d objects (%d each of analog, digital, invisible, calendar), %d frames\n",
                c.count, options.objectsPerType, options.frames);
    std::printf("  mean per object per frame:        %8.3f us\n", c.perObjectUs);
    std::printf("  frame without draws (median):     %8.3f ms  (%.3f us per object)\n",
                Median(c.quiet) * 1e3, c.quietUs);
    std::printf("  sampling frame without draws:     %8.3f ms  (%.3f us per object)\n",
                Median(c.sampled) * 1e3, Median(c.sampled) / c.count * 1e6);
    std::printf("  one GetLocalTime on the real clock: %6.0f ns\n", figures.clockReadNs);
    std::printf("  first frame, all drawn:           %8.3f ms\n", c.firstMs);
    std::printf("  later frames where all %d redraw: %5zu\n", c.count, c.allRedraw.size());
    std::printf("  worst of them:                    %8.3f ms  (of which handling %.3f ms)\n",
                c.worstMs, Max(c.handleAll) * 1e3);
    std::printf("  events pushed in the run:         %8d\n", figures.pushes);
    for (int32_t type = 0; type < kBenchTypes; ++type)
        if (figures.drawCount[type])
            std::printf("  one %-9s draw (mean of %lld): %8.1f us\n", kTypeNames[type],
                        static_cast<long long>(figures.drawCount[type]),
                        figures.drawSeconds[type] / figures.drawCount[type] * 1e6);
    for (int32_t type = 0; type < kBenchTypes; ++type)
        if (BareDrawFor(type))
            std::printf("  one %-9s draw alone: %8.1f us, its bare calls %8.1f us\n",
                        kTypeNames[type], figures.moduleDraw[type] * 1e6,
                        figures.bareDraw[type] * 1e6);
    std::printf("  budget of one %d fps frame:        %8.3f ms\n", options.fps, frameMs);
}
