#include "bench/host/bench_mode.h"

#include <cstdio>
#include <vector>

#include "base/moment.h"
#include "bench/host/bare_draws.h"
#include "bench/host/bench_report.h"
#include "host/common/host_clock.h"
#include "host/hostrun/hostrun_host.h"
#include "fixtures/edit_data_builder.h"
#include "fixtures/run_object.h"

namespace {

constexpr int32_t kSurfaceWidth = 1600;
constexpr int32_t kSurfaceHeight = 1200;
constexpr int32_t kObjectWidth = 96;
constexpr int32_t kObjectHeight = 64;
constexpr int32_t kTypes = kBenchTypes;
constexpr int32_t kDrawRepeats = 200;
constexpr int32_t kClockReads = 10000;

int32_t g_pushes = 0;

int32_t WINAPI CountPush(void*, int32_t, int32_t) {
    ++g_pushes;
    return 0;
}
int32_t WINAPI Ignore(void*, int32_t, int32_t) {
    return 0;
}

// One of each kind, with everything that costs drawing time switched on: a
// dial with hands, marks, numerals and circle, seconds with a designator and
// a frame, and the long date with both names.
EditData SettingsFor(int32_t type) {
    static const int16_t kDisplay[kTypes] = {kDisplayAnalog, kDisplayDigital, kDisplayInvisible,
                                             kDisplayCalendar};
    return fixture::EditDataBuilder(kObjectWidth, kObjectHeight, kDisplay[type])
        .Border()
        .Dial(kNumeralsArabic)
        .HandColours(0x0000FF, 0, 0)
        .DialInset(24, 16)
        .DigitalFormat(1)
        .Calendar(2, 3)
        .Font(fixture::Group::kAnalog, 9, "Tahoma")
        .Font(fixture::Group::kDigital, 14, "Tahoma")
        .Font(fixture::Group::kCalendar, 12, "Tahoma");
}

double Seconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to, const LARGE_INTEGER& rate) {
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(rate.QuadPart);
}

LARGE_INTEGER Rate() {
    LARGE_INTEGER rate;
    QueryPerformanceFrequency(&rate);
    return rate;
}

LARGE_INTEGER Now() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now;
}

// The host's side of the run: one surface and font bank, one run header, and
// the objects' run data side by side.
struct Bench {
    HostSurface* surface = nullptr;
    HostFontBank* fonts = nullptr;
    RunHeader header = {};
    std::vector<uint64_t> storage;
    std::vector<RunData*> runs;
};

bool CreateObjects(const ModuleBinding& module, int32_t count, Bench* bench) {
    const size_t words = (module.runDataSize + 7) / 8;
    bench->storage.assign(static_cast<size_t>(count) * words, 0);
    bench->runs.resize(static_cast<size_t>(count));
    const int32_t columns = (kSurfaceWidth - kObjectWidth) / 40;
    for (int32_t i = 0; i < count; ++i) {
        bench->runs[i] =
            reinterpret_cast<RunData*>(&bench->storage[static_cast<size_t>(i) * words]);
        const int16_t x = static_cast<int16_t>((i % columns) * 40);
        const int16_t y =
            static_cast<int16_t>((i / columns) * 48 % (kSurfaceHeight - kObjectHeight));
        if (fixture::CreateObject(module.CreateRunObject, bench->runs[i], module.runDataSize,
                                  &bench->header, SettingsFor(i % kTypes), x, y) != 0) {
            std::fprintf(stderr, "chronyx-bench-host: object %d was not created\n", i);
            return false;
        }
    }
    return true;
}

bool SetUp(const ModuleBinding& module, int32_t count, Bench* bench) {
    bench->surface = HrSurfaceCreate(kSurfaceWidth, kSurfaceHeight);
    bench->fonts = HrFontBankCreate();
    if (!bench->surface || !bench->fonts || !hostclock::Install(module.module)) {
        std::fprintf(stderr, "chronyx-bench-host: cannot set up the surface and clock\n");
        return false;
    }
    HrSurfaceFill(bench->surface, 0xFFFFFF);
    // Half a second before a new year: a few samples in, every unit changes
    // on one sample and every object redraws on that frame.
    hostclock::Set(civil::Moment(2026, 12, 31, 23, 59, 59, 500));
    bench->header.surface = bench->surface;
    bench->header.fontBank = bench->fonts;
    bench->header.HostPushEvent = CountPush;
    bench->header.HostEraseObject = Ignore;
    bench->header.HostRedisplay = Ignore;
    return CreateObjects(module, count, bench);
}

// Every object handled, and drawn when it asks, frame after frame, with the
// clock moved on by one frame's time after each.
void RunFrames(const ModuleBinding& module, const BenchOptions& options, Bench* bench,
               BenchFigures* figures) {
    const LARGE_INTEGER rate = Rate();
    const int32_t count = figures->count;
    const double frameMs = 1000.0 / options.fps;
    std::vector<bool> wants(static_cast<size_t>(count));
    figures->frames.resize(static_cast<size_t>(options.frames));
    for (int32_t f = 0; f < options.frames; ++f) {
        BenchFrame& frame = figures->frames[f];
        const LARGE_INTEGER t0 = Now();
        for (int32_t i = 0; i < count; ++i)
            wants[i] = module.HandleRunObject(bench->runs[i]) == kResultRedraw;
        const LARGE_INTEGER t1 = Now();
        frame.draws = 0;
        for (int32_t i = 0; i < count; ++i) {
            if (!wants[i]) continue;
            const LARGE_INTEGER d0 = Now();
            module.DisplayRunObject(bench->runs[i]);
            const LARGE_INTEGER d1 = Now();
            figures->drawSeconds[i % kTypes] += Seconds(d0, d1, rate);
            ++figures->drawCount[i % kTypes];
            ++frame.draws;
        }
        const LARGE_INTEGER t2 = Now();
        frame.handleSeconds = Seconds(t0, t1, rate);
        frame.displaySeconds = Seconds(t1, t2, rate);
        bench->header.eventCount =
            static_cast<int32_t>(static_cast<uint32_t>(bench->header.eventCount) + 1);
        hostclock::Advance(static_cast<int64_t>((f + 1) * frameMs) -
                           static_cast<int64_t>(f * frameMs));
    }
}

// One object of each kind drawn again and again, alternating with the bare
// calls of its draw: what the module adds to the graphics interface. The
// median of each side keeps the profile's occasional slow read out.
void TimeDrawsBesideBareCalls(const ModuleBinding& module, const Bench& bench,
                              BenchFigures* figures) {
    const LARGE_INTEGER rate = Rate();
    for (int32_t type = 0; type < kTypes; ++type) {
        const BareDraw bare = BareDrawFor(type);
        if (!bare) continue;
        const ObjectHeader& h = *ObjectHeaderOf(bench.runs[type]);
        const EditData edit = SettingsFor(type);
        const BareContext context =
            BareContextFor(bench.surface, bench.fonts, module.module, edit, type,
                           RECT{h.x, h.y, h.x + h.width, h.y + h.height});
        std::vector<double> drawn, bareCalls;
        for (int32_t k = 0; k < kDrawRepeats; ++k) {
            const LARGE_INTEGER a = Now();
            module.DisplayRunObject(bench.runs[type]);
            const LARGE_INTEGER b = Now();
            bare(context);
            const LARGE_INTEGER c = Now();
            drawn.push_back(Seconds(a, b, rate));
            bareCalls.push_back(Seconds(b, c, rate));
        }
        figures->moduleDraw[type] = Median(drawn);
        figures->bareDraw[type] = Median(bareCalls);
        HostFontDelete(bench.fonts, context.target.font);
    }
}

void TearDown(const ModuleBinding& module, Bench* bench) {
    for (RunData* run : bench->runs)
        module.DestroyRunObject(run, 0);
    HrFontBankDestroy(bench->fonts);
    HrSurfaceDestroy(bench->surface);
}

// What the clock read itself costs here, for scale: the module's sample reads
// it twice.
double ClockReadNs() {
    const LARGE_INTEGER rate = Rate();
    const LARGE_INTEGER c0 = Now();
    for (int32_t k = 0; k < kClockReads; ++k) {
        SYSTEMTIME now;
        GetLocalTime(&now);
    }
    const LARGE_INTEGER c1 = Now();
    return Seconds(c0, c1, rate) / kClockReads * 1e9;
}

} // namespace

int RunBench(const ModuleBinding& module, const BenchOptions& options) {
    Bench bench;
    BenchFigures figures;
    figures.count = options.objectsPerType * kTypes;
    if (!SetUp(module, figures.count, &bench)) return 2;
    RunFrames(module, options, &bench, &figures);
    TimeDrawsBesideBareCalls(module, bench, &figures);
    TearDown(module, &bench);
    figures.clockReadNs = ClockReadNs();
    figures.pushes = g_pushes;
    if (options.tableRows)
        PrintBenchRows(figures, options);
    else
        PrintBenchReport(figures, options);
    return 0;
}
