// The soak: one object of each display type, a chronometer and a countdown,
// driven at 60 frames a second across New Year, a leap day, both daylight
// saving shifts, clock settings made by the actions, a long pause and a
// stretch at a lower frame rate. Every sample checks that each object has
// raised exactly the change events owed to it, and that the running timers
// are within one sample interval per clock jump of the true elapsed time.
//
//   chronyx-soak              windows of an hour around each happening
//   chronyx-soak --window M   windows of M minutes
//   chronyx-soak --year       every frame of the whole simulated year
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/numeric.h"
#include "core/records.h"
#include "contract/entry_points.h"
#include "fixtures/edit_data_builder.h"
#include "fixtures/failure_report.h"
#include "fixtures/run_object.h"
#include "module/registration.h"
#include "simulated_machine/sim_machine.h"
#include "tests/soak/change_oracle.h"
#include "tests/soak/civil_time.h"

namespace {

using soak::MsOf;
using soak::MsOfCivil;

constexpr int kObjects = 6;
enum { kAnalog, kDigital, kInvisible, kCalendar, kChronometer, kCountdown };
const char* const kNames[kObjects] = {"analog",   "digital",     "invisible",
                                      "calendar", "chronometer", "countdown"};
constexpr int kSamplePeriod = 12; // HandleRunObject calls per clock sample
// Hundredths of a second: a step of the time count beyond this between two
// frames is a clock jump to the module, not a frame's passing.
constexpr int64_t kJumpThresholdHundredths = 200;
constexpr int16_t kCountdownHours = 5000; // the longest that stays in 32 bits of hundredths
constexpr uint8_t kGuard = 0x5B;

// Action and expression indices, as the host reaches them.
using namespace routines;

#pragma pack(push, 1)
struct GuardedRun {
    uint8_t before[16];
    RunData run;
    uint8_t after[16];
};
#pragma pack(pop)

struct Object {
    GuardedRun* g = nullptr;
    soak::ChangeOracle oracle;
    int64_t raised[7] = {};
    int pushedThisCall[7] = {};
    int pushesThisCall = 0;
};

using fixture::Fail;

// Where the soak was when an expectation failed: the simulated local time.
void PrintLocalTime(std::FILE* out) {
    SYSTEMTIME t = sim::Clock();
    std::fprintf(out, "  at local %04u-%02u-%02u %02u:%02u:%02u.%03u\n", t.wYear, t.wMonth, t.wDay,
                 t.wHour, t.wMinute, t.wSecond, t.wMilliseconds);
}

struct Soak {
    bool everyFrame = false;
    int64_t windowMs = 60 * 60000;

    Object objects[kObjects];
    int64_t trueUs = 0;   // time as it really passes
    int64_t offsetMs = 0; // local clock minus true time
    int64_t periodUs = 16667;
    int64_t runningUs = 0; // true time the timers have run
    int64_t frames = 0, calls = 0;
    int64_t previousCount = 0;
    int jumps = 0, pauses = 0;
    int64_t allowed = 2; // hundredths: truncation at the start and at the reading
    int64_t maxError = 0, lastError = 0;

    int64_t LocalMs() const { return MsOf(sim::Clock()); }

    void SetLocalFromTrue() { sim::AdvanceClock(trueUs / 1000 + offsetMs - LocalMs()); }

    void Frame();
    void CheckSample();
    void Skip(int64_t ms);
    void RunFor(int64_t ms);
    void RunUntilLocal(int64_t localMs);
    // Moves the local clock by ms as it passes localMs, as a daylight saving
    // change does: the last frame before shows the old time, the next the new.
    void ShiftAt(int64_t localMs, int64_t ms) {
        RunUntilLocal(localMs - (periodUs + 999) / 1000);
        offsetMs += ms;
    }
    void RunAcross(int64_t localMs, int64_t afterMs) {
        RunUntilLocal(localMs);
        RunFor(afterMs);
    }
    void Act(int object, int index, int32_t param);
};

Soak* g_soak = nullptr;

int32_t WINAPI CountPush(void* object, int32_t code, int32_t) {
    for (Object& o : g_soak->objects) {
        if (&o.g->run != object) continue;
        if (code < 1 || code > 6)
            Fail("%s pushed event code %d", kNames[&o - g_soak->objects], code);
        int16_t low = Low16(RunHeaderOf(&o.g->run)->eventCount);
        if (o.g->run.triggerEventCount != low)
            Fail("%s pushed %d with triggerEventCount %d, eventCount's low half %d",
                 kNames[&o - g_soak->objects], code, o.g->run.triggerEventCount, low);
        ++o.raised[code];
        ++o.pushedThisCall[code];
        ++o.pushesThisCall;
        return 0;
    }
    Fail("an event pushed for an unknown object %p", object);
}

void Soak::Frame() {
    trueUs += periodUs;
    runningUs += periodUs;
    SetLocalFromTrue();
    const SYSTEMTIME now = sim::Clock();
    int64_t count = soak::TimeCountOf(now);
    if (count < previousCount || count > previousCount + kJumpThresholdHundredths) {
        // The sample after this jump banks up to the sample before it: the
        // stretch between the two is not counted.
        ++jumps;
        allowed += kSamplePeriod * periodUs / 10000 + 1;
    }
    previousCount = count;

    RunHeader* rh = sim::TheRunHeader();
    rh->eventCount = WrapAdd(rh->eventCount, 1);
    ++calls;
    ++frames;
    for (int i = 0; i < kObjects; ++i) {
        Object& o = objects[i];
        RunData* run = &o.g->run;
        o.oracle.Observe(now);
        o.pushesThisCall = 0;
        std::memset(o.pushedThisCall, 0, sizeof o.pushedThisCall);
        int16_t r = HandleRunObject(run);
        if (r != 0 && r != kResultRedraw) Fail("%s: HandleRunObject returned %d", kNames[i], r);
        if (o.pushesThisCall > 0 && r != kResultRedraw)
            Fail("%s: %d event(s) pushed and HandleRunObject returned %d", kNames[i],
                 o.pushesThisCall, r);
        // The host evaluates the event lines of each code raised; the
        // condition of that code must answer true, whatever eventCount holds.
        for (int code = 1; code <= 6; ++code) {
            if (o.pushedThisCall[code] > 1)
                Fail("%s: event %d pushed %d times in one call", kNames[i], code,
                     o.pushedThisCall[code]);
            if (o.pushedThisCall[code] && ConditionTable[code](run, 0, 0) != 1)
                Fail("%s: condition %d false right after its event (eventCount %d)", kNames[i],
                     code, rh->eventCount);
        }
        if (r == kResultRedraw) DisplayRunObject(run);
    }
    if (calls % kSamplePeriod == 0) CheckSample();
}

void Soak::CheckSample() {
    for (int i = 0; i < kObjects; ++i) {
        const Object& o = objects[i];
        for (int code = 1; code <= 6; ++code)
            if (o.raised[code] != o.oracle.owed[code])
                Fail("%s: %" PRId64 " event(s) of code %d raised, %" PRId64 " owed", kNames[i],
                     o.raised[code], code, o.oracle.owed[code]);
        for (int k = 0; k < 16; ++k)
            if (o.g->before[k] != kGuard || o.g->after[k] != kGuard)
                Fail("%s: a guard byte next to the run data was written", kNames[i]);
    }
    if (sim::OutstandingDCs() != 0 || sim::LiveGdiObjects() != 0 || sim::LiveLocalAllocs() != 0)
        Fail("%d device context(s), %d Windows object(s), %d allocation(s) left over",
             sim::OutstandingDCs(), sim::LiveGdiObjects(), sim::LiveLocalAllocs());

    // The timer counts in 32-bit hundredths and wraps after 248 days, as the
    // 32-bit machine does; errors are measured on that circle.
    int64_t expected = runningUs / 10000;
    int32_t expected32 = static_cast<int32_t>(static_cast<uint32_t>(expected));
    RunData* chrono = &objects[kChronometer].g->run;
    int32_t reading = ExpressionTable[kGetChronometer](chrono, 0);
    lastError = WrapSub(reading, expected32);
    int64_t error = lastError < 0 ? -lastError : lastError;
    if (error > maxError) maxError = error;
    if (error > allowed)
        Fail("chronometer reads %d, true elapsed %" PRId64 " hundredths: error %" PRId64
             " beyond %" PRId64 " after %d jump(s)",
             reading, expected, lastError, allowed, jumps);

    RunData* countdown = &objects[kCountdown].g->run;
    int32_t left = WrapSub(countdown->countdownStart, expected32);
    if (left < 0) left = 0;
    int32_t shown = ExpressionTable[kGetCountdown](countdown, 0);
    int32_t countdownError = WrapSub(shown, left);
    if (countdownError > allowed || countdownError < -allowed)
        Fail("countdown shows %d, owed %d: error beyond %" PRId64, shown, left, allowed);
}

// The game is paused while time passes with no frames at all. Resuming takes
// the clock as seen, so a change that no sample has looked at yet raises no
// event; the pause comes right after a sample so that none is pending.
void Soak::Skip(int64_t ms) {
    while (calls % kSamplePeriod != 0)
        Frame();
    for (Object& o : objects)
        PauseRunObject(&o.g->run);
    trueUs += ms * 1000;
    SetLocalFromTrue();
    for (Object& o : objects)
        ContinueRunObject(&o.g->run);
    const SYSTEMTIME now = sim::Clock();
    for (Object& o : objects)
        o.oracle.Refresh(now);
    previousCount = soak::TimeCountOf(now);
    ++pauses;
    allowed += 1; // the pause and the restart each truncate to hundredths
}

void Soak::RunFor(int64_t ms) {
    const int64_t end = trueUs + ms * 1000;
    while (trueUs < end)
        Frame();
}

void Soak::RunUntilLocal(int64_t localMs) {
    while (LocalMs() < localMs) {
        int64_t gap = localMs - LocalMs();
        if (!everyFrame && gap > windowMs) Skip(gap - windowMs);
        Frame();
    }
}

// A clock setter run by the game: the local clock moves, true time does not.
void Soak::Act(int object, int index, int32_t param) {
    int16_t r = ActionTable[index](&objects[object].g->run, param, 0);
    if (r != 0) Fail("action %d returned %d", index, r);
    offsetMs = LocalMs() - trueUs / 1000;
}

EditData Settings(int16_t displayType, int16_t clockMode) {
    return fixture::EditDataBuilder(160, 120, displayType, clockMode)
        .Border()
        .Dial()
        .DigitalFormat(1)
        .Calendar(2, 1)
        .Countdown(kCountdownHours, 0, 0)
        .Style(fixture::Group::kDigital, "Regular");
}

// The six objects made and their timers started, at the stretch's start.
void CreateObjects(Soak& s) {
    sim::Reset();
    sim::SetRecording(false);
    RunHeader* rh = sim::TheRunHeader();
    rh->HostPushEvent = CountPush;
    sim::SetClock(2027, 12, 31, 23, 40, 0, 0);
    s.offsetMs = s.LocalMs();

    const int16_t types[kObjects][2] = {
        {kDisplayAnalog, kModeTime},         {kDisplayDigital, kModeTime},
        {kDisplayInvisible, kModeTime},      {kDisplayCalendar, kModeTime},
        {kDisplayDigital, kModeChronometer}, {kDisplayDigital, kModeCountdown}};
    for (int i = 0; i < kObjects; ++i) {
        Object& o = s.objects[i];
        o.g = static_cast<GuardedRun*>(std::calloc(1, sizeof(GuardedRun)));
        std::memset(o.g->before, kGuard, sizeof o.g->before);
        std::memset(o.g->after, kGuard, sizeof o.g->after);
        if (fixture::CreateObject(CreateRunObject, &o.g->run, kRunDataSize, rh,
                                  Settings(types[i][0], types[i][1])) != 0)
            Fail("%s not created", kNames[i]);
        o.oracle.calendar = types[i][0] == kDisplayCalendar;
        o.oracle.Refresh(sim::Clock());
    }
    ActionTable[kStartChronometer](&s.objects[kChronometer].g->run, 0, 0);
    ActionTable[kStartCountdown](&s.objects[kCountdown].g->run, 0, 0);
    s.previousCount = soak::TimeCountOf(sim::Clock());
}

// The stretch of the year the soak plays, happening by happening.
void RunTheStretch(Soak& s) {
    // New Year, then in and out of 29 February.
    s.RunAcross(MsOfCivil(2028, 1, 1, 0, 0, 0, 0), s.windowMs);
    s.RunAcross(MsOfCivil(2028, 2, 29, 0, 0, 0, 0), s.windowMs);
    s.RunAcross(MsOfCivil(2028, 3, 1, 0, 0, 0, 0), s.windowMs);
    // Summer time: the local clock skips from two to three.
    s.ShiftAt(MsOfCivil(2028, 3, 26, 2, 0, 0, 0), 3600000);
    s.RunFor(30 * 60000);
    // The game sets the clock: three hours on, fifteen minutes back, ten days on.
    s.RunUntilLocal(MsOfCivil(2028, 5, 10, 12, 0, 0, 500));
    s.Act(kDigital, kSetHours, 15);
    s.RunFor(20 * 60000);
    s.Act(kAnalog, kSetMinutes, 5);
    s.RunFor(20 * 60000);
    s.Act(kCalendar, kSetDayOfMonth, 20);
    s.RunFor(65 * 60000); // the calendar sees the day at the next hour
    // A long pause: three days with no frames.
    s.RunUntilLocal(MsOfCivil(2028, 7, 1, 12, 0, 0, 0));
    s.Skip(3LL * 24 * 3600000);
    s.RunFor(10 * 60000);
    // Winter time: the local clock goes back from three to two.
    s.ShiftAt(MsOfCivil(2028, 10, 29, 3, 0, 0, 0), -3600000);
    s.RunFor(90 * 60000);
    // A slower host: 20 frames a second, samples 0.6 s apart.
    s.periodUs = 50000;
    s.RunFor(10 * 60000);
    s.periodUs = 16667;
    // The next New Year.
    s.RunAcross(MsOfCivil(2029, 1, 1, 0, 0, 0, 0), s.windowMs);
    while (s.calls % kSamplePeriod != 0)
        s.Frame();
}

// Enough happened, nothing is left behind, and what the stretch came to.
void Finish(Soak& s) {
    int64_t timeEvents[4] = {};
    for (int i = 0; i < kObjects; ++i)
        for (int code = 1; code <= 3; ++code)
            timeEvents[code] += s.objects[i].raised[code];
    const Object& cal = s.objects[kCalendar];
    if (cal.raised[6] != 2 || cal.raised[5] < 3 || s.objects[kDigital].raised[3] < 1)
        Fail("too few events for the stretch: %" PRId64 " years, %" PRId64 " months", cal.raised[6],
             cal.raised[5]);

    for (int i = 0; i < kObjects; ++i) {
        DestroyRunObject(&s.objects[i].g->run, 0);
        std::free(s.objects[i].g);
    }
    if (sim::LiveHostFonts() != 0)
        Fail("%d host font(s) left after destruction", sim::LiveHostFonts());

    std::printf("soak passed: %" PRId64 " frames (%.1f hours of play), %d clock jumps, %d pauses\n",
                s.frames, s.runningUs / 3.6e9, s.jumps, s.pauses);
    std::printf("  events on the %d time displays: %" PRId64 " seconds, %" PRId64
                " minutes, %" PRId64 " hours\n",
                kObjects - 1, timeEvents[1], timeEvents[2], timeEvents[3]);
    std::printf("  events on the calendar: %" PRId64 " days, %" PRId64 " months, %" PRId64
                " years\n",
                cal.raised[4], cal.raised[5], cal.raised[6]);
    std::printf("  chronometer error: final %" PRId64 ", largest %" PRId64 ", allowed %" PRId64
                " hundredths\n",
                s.lastError, s.maxError, s.allowed);
}

} // namespace

int main(int argc, char** argv) {
    Soak s;
    g_soak = &s;
    fixture::g_failureReport.heading = "soak FAILED";
    fixture::g_failureReport.where = PrintLocalTime;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--year")) {
            s.everyFrame = true;
        } else if (!std::strcmp(argv[i], "--window") && i + 1 < argc) {
            s.windowMs = std::atoll(argv[++i]) * 60000;
        } else {
            std::fprintf(stderr, "usage: %s [--year | --window MINUTES]\n", argv[0]);
            return 2;
        }
    }
    CreateObjects(s);
    RunTheStretch(s);
    Finish(s);
    return 0;
}
