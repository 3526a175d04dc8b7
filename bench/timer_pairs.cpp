// The timer readings of the conditions and expressions: while the shared timer
// runs each needs the time count now (two clock reads); while it is stopped,
// nothing beyond the call.
#include "bench/bare_calls.h"
#include "bench/objects.h"
#include "bench/pairs.h"
#include "core/time_count.h"
#include "events/routines.h"
#include "winapi/windows_api.h"

namespace bench {
namespace {

typedef int32_t(WINAPI* Condition)(RunData*, int32_t, int32_t);
typedef int32_t(WINAPI* Expression)(RunData*, int32_t);

Condition volatile g_chronometerReading = ChronometerReading;
Condition volatile g_countdownReading = CountdownReading;
Condition volatile g_emptyCondition = EmptyCondition;
Expression volatile g_getChronometer = GetChronometer;
Expression volatile g_getCountdown = GetCountdown;
Expression volatile g_emptyExpression = EmptyExpression;

RunData* g_run;

auto SetupTimer(bool running) {
    return [running] {
        ObjectKind s;
        s.clockMode = kModeChronometer;
        g_run = NewObject(s);
        g_run->chronoElapsed = 1234;
        g_run->chronoStart = running ? CurrentTimeCount() - 250.0 : 0.0;
    };
}

// While the timer runs, the reading beside the two clock reads; while it is
// stopped, beside the empty routine of its kind.
template <class Call, class Empty>
void AddReadings(const char* group, const char* name, Call call, Empty empty) {
    for (bool running : {true, false}) {
        std::string figure = std::string(name) + (running ? ", running" : ", stopped");
        if (running)
            AddPair(group, MakeSide(figure, SetupTimer(true), call),
                    MakeSide("2 clock reads", SetupTimer(true), bare::ReadClockTwice),
                    Goal::kAtMost1p5, Check::kSameCalls);
        else
            AddPair(group, MakeSide(figure, SetupTimer(false), call),
                    MakeSide("empty call", SetupTimer(false), empty), Goal::kWithin2ns,
                    Check::kSameCalls);
    }
}

void AddCondition(const char* name, Condition volatile* routine) {
    AddReadings(
        "Condition", name, [routine] { benchmark::DoNotOptimize((*routine)(g_run, 0, 0)); },
        [] { benchmark::DoNotOptimize(g_emptyCondition(g_run, 0, 0)); });
}

void AddExpression(const char* name, Expression volatile* routine) {
    AddReadings(
        "Expression", name, [routine] { benchmark::DoNotOptimize((*routine)(g_run, 0)); },
        [] { benchmark::DoNotOptimize(g_emptyExpression(g_run, 0)); });
}

} // namespace

void RegisterTimerPairs() {
    AddCondition("ChronometerReading", &g_chronometerReading);
    AddCondition("CountdownReading", &g_countdownReading);
    AddExpression("GetChronometer", &g_getChronometer);
    AddExpression("GetCountdown", &g_getCountdown);
}

} // namespace bench
