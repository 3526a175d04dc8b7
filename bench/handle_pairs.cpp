// HandleRunObject between samples and on a sample, beside an empty call and
// the two clock reads a sample cannot avoid.
#include "bench/bare_calls.h"
#include "bench/objects.h"
#include "bench/pairs.h"
#include "contract/entry_points.h"
#include "winapi/windows_api.h"

namespace bench {
namespace {

EntryPoint volatile g_handle = HandleRunObject;

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

// One step of an object of the display type: its frame counter set so that it
// samples (11) or not (0), and the chosen units made to change, before the call.
template <class Step>
Side Handling(const char* name, int16_t displayType, int16_t frameCounter, int units, Step step) {
    auto setup = [displayType] {
        ObjectKind s;
        s.displayType = displayType;
        g_run = NewObject(s);
    };
    return MakeSide(name, setup, [frameCounter, units, step] {
        g_run->frameCounter = frameCounter;
        if (units) ForceChanges(g_run, units);
        step();
    });
}

void Handle() {
    benchmark::DoNotOptimize(g_handle(g_run));
}

} // namespace

void RegisterHandlePairs() {
    AddPair("HandleRunObject", Handling("no sample", kDisplayDigital, 0, 0, Handle),
            Handling("empty call", kDisplayDigital, 0, 0,
                     [] { benchmark::DoNotOptimize(g_emptyEntry(g_run)); }),
            Goal::kWithin2ns, Check::kSameCalls);
    AddPair("HandleRunObject", Handling("sample, no change", kDisplayDigital, 11, 0, Handle),
            Handling("2 clock reads", kDisplayDigital, 11, 0, bare::ReadClockTwice),
            Goal::kAtMost1p5, Check::kSameCalls);
    AddPair("HandleRunObject", Handling("sample, events 1-3", kDisplayDigital, 11, 0x07, Handle),
            Handling("2 clock reads + 3 pushes", kDisplayDigital, 11, 0x07,
                     [] {
                         bare::ReadClockTwice();
                         PushEvents(g_run, 1, 3);
                     }),
            Goal::kAtMost1p5, Check::kSameCalls);
    AddPair("HandleRunObject",
            Handling("calendar sample, events 4-6", kDisplayCalendar, 11, 0x3C, Handle),
            Handling("2 clock reads + 3 pushes", kDisplayCalendar, 11, 0x3C,
                     [] {
                         bare::ReadClockTwice();
                         PushEvents(g_run, 4, 6);
                     }),
            Goal::kAtMost1p5, Check::kSameCalls);
}

} // namespace bench
