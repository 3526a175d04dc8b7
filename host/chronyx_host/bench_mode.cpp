#include "host/chronyx_host/bench_mode.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "host/common/host_clock.h"
#include "host/hostrun/hostrun_host.h"

namespace {

constexpr int32_t kSurfaceWidth = 1600;
constexpr int32_t kSurfaceHeight = 1200;
constexpr int32_t kObjectWidth = 96;
constexpr int32_t kObjectHeight = 64;
constexpr int32_t kTypes = 4;

int32_t g_pushes = 0;

int32_t WINAPI CountPush(void*, int32_t, int32_t) {
    ++g_pushes;
    return 0;
}
int32_t WINAPI Ignore(void*, int32_t, int32_t) {
    return 0;
}

void SetFont(FontDescription* font, int32_t height) {
    font->height = -height;
    font->weight = 400;
    std::strcpy(font->faceName, "Tahoma");
}

// One of each kind, with everything that costs drawing time switched on: a
// dial with hands, marks, numerals and circle, seconds with a designator and
// a frame, and the long date with both names.
EditData SettingsFor(int32_t type) {
    EditData edit{};
    edit.width = kObjectWidth;
    edit.height = kObjectHeight;
    static const int16_t kDisplay[kTypes] = {kDisplayAnalog, kDisplayDigital, kDisplayInvisible,
                                             kDisplayCalendar};
    edit.displayType = kDisplay[type];
    edit.border = 1;
    edit.analogMarks = 1;
    edit.analogNumerals = kNumeralsArabic;
    edit.secondHand = edit.minuteHand = edit.hourHand = 1;
    edit.secondHandColor = 0x0000FF;
    edit.dialInsetX = 24;
    edit.dialInsetY = 16;
    edit.digitalFormat = 1;
    edit.calendarFormat = 2;
    edit.calendarPattern = 3;
    SetFont(&edit.analogFont, 9);
    SetFont(&edit.digitalFont, 14);
    SetFont(&edit.calendarFont, 12);
    return edit;
}

struct Frame {
    double handleSeconds;
    double displaySeconds;
    int32_t draws;
};

double Seconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to, const LARGE_INTEGER& rate) {
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(rate.QuadPart);
}

double Median(std::vector<double> values) {
    if (values.empty()) return 0.0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double Max(const std::vector<double>& values) {
    return values.empty() ? 0.0 : *std::max_element(values.begin(), values.end());
}

} // namespace

int RunBench(const ModuleBinding& module, const BenchOptions& options) {
    const int32_t count = options.objectsPerType * kTypes;
    HostSurface* surface = HrSurfaceCreate(kSurfaceWidth, kSurfaceHeight);
    HostFontBank* fonts = HrFontBankCreate();
    if (!surface || !fonts || !hostclock::Install(module.module)) {
        std::fprintf(stderr, "chronyx-host: --bench: cannot set up the surface and clock\n");
        return 2;
    }
    HrSurfaceFill(surface, 0xFFFFFF);
    // Half a second before a new year: a few samples in, every unit changes
    // on one sample and every object redraws on that frame.
    SYSTEMTIME start{};
    start.wYear = 2026;
    start.wMonth = 12;
    start.wDay = 31;
    start.wHour = 23;
    start.wMinute = 59;
    start.wSecond = 59;
    start.wMilliseconds = 500;
    hostclock::Set(start);

    RunHeader header{};
    header.surface = surface;
    header.fontBank = fonts;
    header.HostPushEvent = CountPush;
    header.HostEraseObject = Ignore;
    header.HostRedisplay = Ignore;

    std::vector<uint64_t> storage(static_cast<size_t>(count) * ((module.runDataSize + 7) / 8), 0);
    std::vector<RunData*> runs(static_cast<size_t>(count));
    const int32_t columns = (kSurfaceWidth - kObjectWidth) / 40;
    for (int32_t i = 0; i < count; ++i) {
        runs[i] = reinterpret_cast<RunData*>(
            &storage[static_cast<size_t>(i) * ((module.runDataSize + 7) / 8)]);
        runs[i]->header.runHeader = &header;
        EditData edit = SettingsFor(i % kTypes);
        CreationRecord creation{};
        creation.x = static_cast<int16_t>((i % columns) * 40);
        creation.y = static_cast<int16_t>((i / columns) * 48 % (kSurfaceHeight - kObjectHeight));
        if (module.CreateRunObject(runs[i], &edit, &creation) != 0) {
            std::fprintf(stderr, "chronyx-host: --bench: object %d was not created\n", i);
            return 2;
        }
    }

    LARGE_INTEGER rate, t0, t1, t2;
    QueryPerformanceFrequency(&rate);
    std::vector<Frame> frames(static_cast<size_t>(options.frames));
    std::vector<bool> wants(static_cast<size_t>(count));
    const double frameMs = 1000.0 / options.fps;
    for (int32_t f = 0; f < options.frames; ++f) {
        Frame& frame = frames[f];
        QueryPerformanceCounter(&t0);
        for (int32_t i = 0; i < count; ++i)
            wants[i] = module.HandleRunObject(runs[i]) == 2;
        QueryPerformanceCounter(&t1);
        frame.draws = 0;
        for (int32_t i = 0; i < count; ++i) {
            if (!wants[i]) continue;
            module.DisplayRunObject(runs[i]);
            ++frame.draws;
        }
        QueryPerformanceCounter(&t2);
        frame.handleSeconds = Seconds(t0, t1, rate);
        frame.displaySeconds = Seconds(t1, t2, rate);
        header.eventCount = static_cast<int32_t>(static_cast<uint32_t>(header.eventCount) + 1);
        hostclock::Advance(static_cast<int64_t>((f + 1) * frameMs) -
                           static_cast<int64_t>(f * frameMs));
    }
    for (RunData* run : runs)
        module.DestroyRunObject(run, 0);
    HrFontBankDestroy(fonts);
    HrSurfaceDestroy(surface);

    // Frames by what happened on them: none drawn, some drawn, all drawn.
    std::vector<double> quiet, allRedraw, handleAll;
    double total = 0.0;
    for (const Frame& frame : frames) {
        double seconds = frame.handleSeconds + frame.displaySeconds;
        total += seconds;
        if (frame.draws == 0) quiet.push_back(seconds);
        if (frame.draws == count) {
            allRedraw.push_back(seconds);
            handleAll.push_back(frame.handleSeconds);
        }
    }
    const double perObjectUs = total / options.frames / count * 1e6;
    const double quietUs = Median(quiet) / count * 1e6;
    const double worstMs = Max(allRedraw) * 1e3;
    if (options.tableRows) {
        char label[96];
        std::snprintf(label, sizeof label, "%d mixed objects", count);
        std::printf("| Wine: %s, mean per object per frame | %.2f µs | 1/%d of a %.1f ms frame "
                    "| %.2f µs | %.2f | | |\n",
                    label, perObjectUs, count, frameMs, frameMs * 1e3 / count,
                    perObjectUs / (frameMs * 1e3 / count));
        std::printf("| Wine: %s, frame without draws (median) | %.3f ms | %.0f fps frame | %.1f ms "
                    "| %.2f | ≤ 1 × | %s |\n",
                    label, Median(quiet) * 1e3, static_cast<double>(options.fps), frameMs,
                    Median(quiet) * 1e3 / frameMs,
                    Median(quiet) * 1e3 <= frameMs ? "met" : "**missed**");
        std::printf("| Wine: %s, frame where all redraw (worst of %zu) | %.2f ms | %.0f fps frame "
                    "| %.1f ms | %.2f | ≤ 1 × | %s |\n",
                    label, allRedraw.size(), worstMs, static_cast<double>(options.fps), frameMs,
                    worstMs / frameMs, worstMs <= frameMs ? "met" : "**missed**");
        return 0;
    }
    std::printf("%d objects (%d each of analog, digital, invisible, calendar), %d frames\n", count,
                options.objectsPerType, options.frames);
    std::printf("  mean per object per frame:        %8.3f us\n", perObjectUs);
    std::printf("  frame without draws (median):     %8.3f ms  (%.3f us per object)\n",
                Median(quiet) * 1e3, quietUs);
    std::printf("  frames where all %d redraw:      %8zu\n", count, allRedraw.size());
    std::printf("  worst of them:                    %8.3f ms  (of which handling %.3f ms)\n",
                worstMs, Max(handleAll) * 1e3);
    std::printf("  events pushed in the run:         %8d\n", g_pushes);
    std::printf("  budget of one %d fps frame:        %8.3f ms\n", options.fps, frameMs);
    return 0;
}

int BenchMain(int argc, char** argv) {
    BenchOptions options;
    std::string modulePath;
    for (int i = 2; i < argc; ++i) {
        std::string argument = argv[i];
        bool hasValue = i + 1 < argc;
        if (argument == "--rows") {
            options.tableRows = true;
        } else if (argument == "--dll" && hasValue) {
            modulePath = argv[++i];
        } else if ((argument == "--objects" || argument == "--frames" || argument == "--fps") &&
                   hasValue) {
            int value = std::atoi(argv[++i]);
            if (value <= 0) {
                std::fprintf(stderr, "chronyx-host: command line: %s: needs a positive number\n",
                             argument.c_str());
                return 2;
            }
            (argument == "--objects"  ? options.objectsPerType
             : argument == "--frames" ? options.frames
                                      : options.fps) = value;
        } else {
            std::fprintf(stderr, "chronyx-host: command line: %s: not a --bench option\n",
                         argument.c_str());
            return 2;
        }
    }
    if (modulePath.empty()) {
        char self[MAX_PATH * 2];
        DWORD length = GetModuleFileNameA(nullptr, self, sizeof self);
        std::string path(self, length);
        size_t slash = path.find_last_of("\\/");
        modulePath = (slash == std::string::npos ? std::string() : path.substr(0, slash + 1)) +
                     "CHRONYX.dll";
    }
    ModuleBinding module;
    BindError refusal;
    if (!BindModule(modulePath, &module, &refusal)) {
        std::fprintf(stderr, "chronyx-host: %s: %s%s%s\n", modulePath.c_str(),
                     refusal.where.c_str(), refusal.where.empty() ? "" : ": ",
                     refusal.message.c_str());
        return 2;
    }
    int status = RunBench(module, options);
    ReleaseModule(&module);
    return status;
}
