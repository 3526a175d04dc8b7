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
    edit.settings.displayType = kDisplay[type];
    edit.settings.border = 1;
    edit.settings.analogMarks = 1;
    edit.settings.analogNumerals = kNumeralsArabic;
    edit.settings.secondHand = edit.settings.minuteHand = edit.settings.hourHand = 1;
    edit.settings.secondHandColor = 0x0000FF;
    edit.dialInsetX = 24;
    edit.dialInsetY = 16;
    edit.settings.digitalFormat = 1;
    edit.settings.calendarFormat = 2;
    edit.settings.calendarPattern = 3;
    SetFont(&edit.settings.analogFont, 9);
    SetFont(&edit.settings.digitalFont, 14);
    SetFont(&edit.settings.calendarFont, 12);
    return edit;
}

struct Frame {
    double handleSeconds;
    double displaySeconds;
    int32_t draws;
};

const char* const kTypeNames[kTypes] = {"analog", "digital", "invisible", "calendar"};

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

// ---- the bare calls of one draw of each kind, with their arguments ready ----

struct BareContext {
    HostSurface* surface;
    HostFontBank* fonts;
    HINSTANCE module;
    const EditData* edit; // the settings of the objects of the kind, for their colours
    uint16_t font;        // registered here from the same description as the objects'
    RECT rect;
};

HFONT FontOf(const BareContext& c) {
    return HostFontGetGdiFont(c.fonts, c.font);
}

// The font a host would register for an object of this kind, as the module
// asks for it: the bare calls draw with an equal one rather than reaching into
// the object's run data, which is the module's.
uint16_t RegisterFontLike(HostFontBank* fonts, const EditData& edit, int32_t type) {
    FontRequest request{};
    request.word10 = 1;
    request.word98 = 2;
    request.word102 = 255;
    request.font = type == kDisplayAnalog    ? edit.settings.analogFont
                   : type == kDisplayDigital ? edit.settings.digitalFont
                                             : edit.settings.calendarFont;
    return HostFontCreate(fonts, kFontKind, &request, 0, 0);
}

void BareDigital(const BareContext& c) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    char designator[40], text[40];
    GetProfileStringA("Intl", "s2359", "P.M.", designator, sizeof designator);
    wsprintfA(text, "%02u:%02u:%02u", 11u, 59u, 59u);
    HFONT font = FontOf(c);
    HostDrawText(c.surface, font, &c.rect, "11:59:59 P.M.", c.edit->settings.digitalColor,
                 kDrawTextFlags);
    DeleteObject(font);
    HostSetPen(c.surface, c.edit->settings.digitalColor, 0, 2);
    HostDrawFrame(c.surface, &c.rect);
}

// Built-in pattern 3, mmmm d, yyyy.
void BareCalendar(const BareContext& c) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    char pattern[40], piece[24];
    LoadStringA(c.module, 20403, pattern, sizeof pattern);
    LoadStringA(c.module, 20209 + 12, piece, sizeof piece);
    wsprintfA(piece, "%2u", 31u);
    wsprintfA(piece, "%04u", 2026u);
    HFONT font = FontOf(c);
    HostDrawText(c.surface, font, &c.rect, "December 31, 2026", c.edit->settings.calendarColor,
                 kDrawTextFlags);
    DeleteObject(font);
}

void BareAnalog(const BareContext& c) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    const RECT face{c.rect.left + 12, c.rect.top + 8, c.rect.right - 12, c.rect.bottom - 8};
    const POINT centre{(face.left + face.right) / 2, (face.top + face.bottom) / 2};
    const int32_t r = std::min(face.right - face.left, face.bottom - face.top) / 2 - 1;
    HDC measuring = HostGetSurfaceDC(c.surface);
    const POINT tips[3] = {
        {centre.x, centre.y - r * 2 / 3}, {centre.x + r, centre.y}, {centre.x, centre.y + r}};
    const COLORREF colours[3] = {c.edit->settings.hourHandColor, c.edit->settings.minuteHandColor,
                                 c.edit->settings.secondHandColor};
    for (int i = 0; i < 3; ++i) {
        HostSetPen(c.surface, colours[i], 0, i == 2 ? 1 : 2);
        HostDrawLine(c.surface, &centre, &tips[i], 1);
    }
    HostSetPen(c.surface, c.edit->settings.analogColor, 0, 2);
    for (int i = 1; i <= 12; ++i) {
        POINT inner{centre.x + (i - 6) * r / 7, centre.y - r * 9 / 10};
        POINT outer{centre.x + (i - 6) * r / 6, centre.y - r};
        HostDrawLine(c.surface, &inner, &outer, 1);
    }
    HFONT font = FontOf(c);
    HGDIOBJ previous = SelectObject(measuring, font);
    for (int i = 1; i <= 12; ++i) {
        char text[8];
        int length = wsprintfA(text, "%u", static_cast<unsigned>(i));
        SIZE extent;
        GetTextExtentPointA(measuring, text, length, &extent);
        RECT box{centre.x + (i - 6) * r / 6, centre.y - r - extent.cy,
                 centre.x + (i - 6) * r / 6 + extent.cx, centre.y - r};
        HostDrawText(c.surface, font, &box, text, c.edit->settings.analogColor, kDrawTextFlags);
    }
    SelectObject(measuring, previous);
    DeleteObject(font);
    HDC dc = HostBeginGdiDraw(c.surface);
    HPEN pen = CreatePen(PS_SOLID, 2, c.edit->settings.analogColor);
    HGDIOBJ brush = GetStockObject(NULL_BRUSH);
    HGDIOBJ previousPen = SelectObject(dc, pen);
    HGDIOBJ previousBrush = SelectObject(dc, brush);
    Ellipse(dc, centre.x - r, centre.y - r, centre.x + r, centre.y + r);
    SelectObject(dc, previousBrush);
    SelectObject(dc, previousPen);
    DeleteObject(pen);
    HostEndGdiDraw(c.surface, dc);
    HostMarkChanged(c.surface, &face);
    HostReleaseSurfaceDC(c.surface, measuring);
}

typedef void (*BareDraw)(const BareContext&);
const BareDraw kBare[kTypes] = {BareAnalog, BareDigital, nullptr, BareCalendar};

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
        ObjectHeaderOf(runs[i])->runHeader = &header;
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
    double drawSeconds[kTypes] = {};
    int64_t drawCount[kTypes] = {};
    for (int32_t f = 0; f < options.frames; ++f) {
        Frame& frame = frames[f];
        QueryPerformanceCounter(&t0);
        for (int32_t i = 0; i < count; ++i)
            wants[i] = module.HandleRunObject(runs[i]) == 2;
        QueryPerformanceCounter(&t1);
        frame.draws = 0;
        for (int32_t i = 0; i < count; ++i) {
            if (!wants[i]) continue;
            LARGE_INTEGER d0, d1;
            QueryPerformanceCounter(&d0);
            module.DisplayRunObject(runs[i]);
            QueryPerformanceCounter(&d1);
            drawSeconds[i % kTypes] += Seconds(d0, d1, rate);
            ++drawCount[i % kTypes];
            ++frame.draws;
        }
        QueryPerformanceCounter(&t2);
        frame.handleSeconds = Seconds(t0, t1, rate);
        frame.displaySeconds = Seconds(t1, t2, rate);
        header.eventCount = static_cast<int32_t>(static_cast<uint32_t>(header.eventCount) + 1);
        hostclock::Advance(static_cast<int64_t>((f + 1) * frameMs) -
                           static_cast<int64_t>(f * frameMs));
    }
    // One object of each kind drawn again and again, alternating with the bare
    // calls of its draw: what the module adds to the graphics interface. The
    // median of each side keeps the profile's occasional slow read out.
    double moduleDraw[kTypes] = {}, bareDraw[kTypes] = {};
    for (int32_t type = 0; type < kTypes; ++type) {
        if (!kBare[type]) continue;
        const ObjectHeader& h = *ObjectHeaderOf(runs[type]);
        const EditData edit = SettingsFor(type);
        BareContext context{surface,
                            fonts,
                            module.module,
                            &edit,
                            RegisterFontLike(fonts, edit, type),
                            RECT{h.x, h.y, h.x + h.width, h.y + h.height}};
        std::vector<double> drawn, bare;
        for (int32_t k = 0; k < kDrawRepeats; ++k) {
            LARGE_INTEGER a, b, c;
            QueryPerformanceCounter(&a);
            module.DisplayRunObject(runs[type]);
            QueryPerformanceCounter(&b);
            kBare[type](context);
            QueryPerformanceCounter(&c);
            drawn.push_back(Seconds(a, b, rate));
            bare.push_back(Seconds(b, c, rate));
        }
        moduleDraw[type] = Median(drawn);
        bareDraw[type] = Median(bare);
        HostFontDelete(fonts, context.font);
    }

    for (RunData* run : runs)
        module.DestroyRunObject(run, 0);
    HrFontBankDestroy(fonts);
    HrSurfaceDestroy(surface);

    // What the clock read itself costs here, for scale: the module's sample
    // reads it twice.
    LARGE_INTEGER c0, c1;
    QueryPerformanceCounter(&c0);
    for (int32_t k = 0; k < kClockReads; ++k) {
        SYSTEMTIME now;
        GetLocalTime(&now);
    }
    QueryPerformanceCounter(&c1);
    const double clockReadNs = Seconds(c0, c1, rate) / kClockReads * 1e9;

    // Frames by what happened on them: nothing sampled or drawn, sampled but
    // nothing drawn, everything drawn. The objects sample on every twelfth
    // frame from the twelfth on, all together.
    std::vector<double> quiet, sampled, allRedraw, handleAll;
    double total = 0.0;
    for (size_t f = 0; f < frames.size(); ++f) {
        const Frame& frame = frames[f];
        double seconds = frame.handleSeconds + frame.displaySeconds;
        total += seconds;
        const bool sampling = f % 12 == 11;
        if (frame.draws == 0) (sampling ? sampled : quiet).push_back(seconds);
        // The first frame draws everything too, but on cold fonts and caches:
        // it is shown on its own.
        if (frame.draws == count && f > 0) {
            allRedraw.push_back(seconds);
            handleAll.push_back(frame.handleSeconds);
        }
    }
    const double perObjectUs = total / options.frames / count * 1e6;
    const double quietUs = Median(quiet) / count * 1e6;
    const double worstMs = Max(allRedraw) * 1e3;
    const double firstMs =
        frames.empty() ? 0.0 : (frames[0].handleSeconds + frames[0].displaySeconds) * 1e3;
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
        std::printf("| Wine: %s, sampling frame without draws (median) | %.3f ms | %.0f fps "
                    "frame | %.1f ms | %.2f | ≤ 1 × | %s |\n",
                    label, Median(sampled) * 1e3, static_cast<double>(options.fps), frameMs,
                    Median(sampled) * 1e3 / frameMs,
                    Median(sampled) * 1e3 <= frameMs ? "met" : "**missed**");
        std::printf(
            "| Wine: %s, first frame, all drawn | %.2f ms | %.0f fps frame | %.1f ms | %.2f "
            "| | |\n",
            label, firstMs, static_cast<double>(options.fps), frameMs, firstMs / frameMs);
        std::printf(
            "| Wine: %s, sampling frame where all redraw (worst of %zu) | %.2f ms | %.0f fps frame "
            "| %.1f ms | %.2f | ≤ 1 × | %s |\n",
            label, allRedraw.size(), worstMs, static_cast<double>(options.fps), frameMs,
            worstMs / frameMs, worstMs <= frameMs ? "met" : "**missed**");
        for (int32_t type = 0; type < kTypes; ++type) {
            if (!kBare[type]) continue;
            double ratio = moduleDraw[type] / bareDraw[type];
            std::printf(
                "| Wine: one %s draw (median) | %.1f µs | bare calls | %.1f µs | %.2f | ≤ 1.2 × "
                "| %s |\n",
                kTypeNames[type], moduleDraw[type] * 1e6, bareDraw[type] * 1e6, ratio,
                ratio <= 1.2 ? "met" : "**missed**");
        }
        for (int32_t type = 0; type < kTypes; ++type) {
            if (!kBare[type]) continue;
            std::printf("| Wine: %s objects that fit one %.0f fps frame of redraws | %.0f | | | "
                        "| | |\n",
                        kTypeNames[type], static_cast<double>(options.fps),
                        frameMs / 1e3 / moduleDraw[type]);
        }
        std::printf("| Wine: GetLocalTime, one call on the real clock | %.0f ns | | | | | |\n",
                    clockReadNs);
        return 0;
    }
    std::printf("%d objects (%d each of analog, digital, invisible, calendar), %d frames\n", count,
                options.objectsPerType, options.frames);
    std::printf("  mean per object per frame:        %8.3f us\n", perObjectUs);
    std::printf("  frame without draws (median):     %8.3f ms  (%.3f us per object)\n",
                Median(quiet) * 1e3, quietUs);
    std::printf("  sampling frame without draws:     %8.3f ms  (%.3f us per object)\n",
                Median(sampled) * 1e3, Median(sampled) / count * 1e6);
    std::printf("  one GetLocalTime on the real clock: %6.0f ns\n", clockReadNs);
    std::printf("  first frame, all drawn:           %8.3f ms\n", firstMs);
    std::printf("  later frames where all %d redraw: %5zu\n", count, allRedraw.size());
    std::printf("  worst of them:                    %8.3f ms  (of which handling %.3f ms)\n",
                worstMs, Max(handleAll) * 1e3);
    std::printf("  events pushed in the run:         %8d\n", g_pushes);
    for (int32_t type = 0; type < kTypes; ++type)
        if (drawCount[type])
            std::printf("  one %-9s draw (mean of %lld): %8.1f us\n", kTypeNames[type],
                        static_cast<long long>(drawCount[type]),
                        drawSeconds[type] / drawCount[type] * 1e6);
    for (int32_t type = 0; type < kTypes; ++type)
        if (kBare[type])
            std::printf("  one %-9s draw alone: %8.1f us, its bare calls %8.1f us\n",
                        kTypeNames[type], moduleDraw[type] * 1e6, bareDraw[type] * 1e6);
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
