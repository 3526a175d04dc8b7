// HandleRunObject between samples and on a sample, beside an empty call and
// the two clock reads a sample cannot avoid.
#include "bench/objects.h"
#include "bench/pairs.h"
#include "contract/entry_points.h"
#include "winapi/windows_api.h"

namespace bench {
namespace {

typedef int16_t(WINAPI* EntryPoint)(RunData*);

// Read through volatile pointers, as a host reads its table of entry points:
// the compiler can neither inline the call nor hoist it out of the loop.
EntryPoint volatile g_handle = HandleRunObject;
EntryPoint volatile g_empty = EmptyEntry;

RunData* g_run;

// Makes the next sample see the chosen units as changed: bit 0 the second,
// up to bit 5 the year.
void ForceChanges(RunData* run, int units) {
    int16_t* last[] = {&run->lastSecond, &run->lastMinute, &run->lastHour,
                       &run->lastDay,    &run->lastMonth,  &run->lastYear};
    for (int i = 0; i < 6; ++i)
        if (units & (1 << i)) *last[i] = -1;
}

void PushEvents(RunData* run, int from, int to) {
    RunHeader* header = RunHeaderOf(run);
    for (int code = from; code <= to; ++code)
        header->HostPushEvent(run, code, 0);
}

void ReadClockTwice() {
    SYSTEMTIME a, b;
    GetLocalTime(&a);
    GetLocalTime(&b);
    benchmark::DoNotOptimize(a);
    benchmark::DoNotOptimize(b);
}

template <class Step> Side Handling(const char* name, int16_t displayType, Step step) {
    auto setup = [displayType] {
        ObjectKind s;
        s.displayType = displayType;
        g_run = NewObject(s);
    };
    return MakeSide(name, setup, step);
}

} // namespace

void RegisterHandlePairs() {
    AddPair("HandleRunObject",
            Handling("no sample", kDisplayDigital,
                     [] {
                         g_run->frameCounter = 0;
                         benchmark::DoNotOptimize(g_handle(g_run));
                     }),
            Handling("empty call", kDisplayDigital,
                     [] {
                         g_run->frameCounter = 0;
                         benchmark::DoNotOptimize(g_empty(g_run));
                     }),
            Goal::kWithin2ns, Check::kSameCalls);

    AddPair("HandleRunObject",
            Handling("sample, no change", kDisplayDigital,
                     [] {
                         g_run->frameCounter = 11;
                         benchmark::DoNotOptimize(g_handle(g_run));
                     }),
            Handling("2 clock reads", kDisplayDigital,
                     [] {
                         g_run->frameCounter = 11;
                         ReadClockTwice();
                     }),
            Goal::kAtMost1p5, Check::kSameCalls);

    AddPair("HandleRunObject",
            Handling("sample, events 1-3", kDisplayDigital,
                     [] {
                         g_run->frameCounter = 11;
                         ForceChanges(g_run, 0x07);
                         benchmark::DoNotOptimize(g_handle(g_run));
                     }),
            Handling("2 clock reads + 3 pushes", kDisplayDigital,
                     [] {
                         g_run->frameCounter = 11;
                         ForceChanges(g_run, 0x07);
                         ReadClockTwice();
                         PushEvents(g_run, 1, 3);
                     }),
            Goal::kAtMost1p5, Check::kSameCalls);

    AddPair("HandleRunObject",
            Handling("calendar sample, events 4-6", kDisplayCalendar,
                     [] {
                         g_run->frameCounter = 11;
                         ForceChanges(g_run, 0x3C);
                         benchmark::DoNotOptimize(g_handle(g_run));
                     }),
            Handling("2 clock reads + 3 pushes", kDisplayCalendar,
                     [] {
                         g_run->frameCounter = 11;
                         ForceChanges(g_run, 0x3C);
                         ReadClockTwice();
                         PushEvents(g_run, 4, 6);
                     }),
            Goal::kAtMost1p5, Check::kSameCalls);
}

} // namespace bench
