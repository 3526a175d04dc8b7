// The routine tables: conditions, actions and expressions called with the
// input's parameters, each answer held against what the object and the clock
// say it must be.
#include "contract/entry_points.h"
#include "core/numeric.h"
#include "module/registration.h"
#include "tests/fuzz/fuzz_report.h"
#include "tests/fuzz/session.h"
#include "tests/fuzz/session_ops.h"
#include "tests/fuzz/setter_bounds.h"

namespace fuzz {
namespace {

int32_t Param(ByteReader& in) {
    uint8_t sel = in.U8();
    if (sel & kParamRaw) return static_cast<int32_t>(in.U32());
    if (sel < 0x40) return sel - 8;
    return 1970 + (sel - 0x40);
}

// A routine call as the input gives it, read whether or not the slot holds
// an object.
struct RoutineCall {
    Slot* slot;
    int index;
    int32_t p1, p2;
};

RoutineCall ReadRoutineCall(Session& s, int count, int parameters) {
    RoutineCall k{};
    k.slot = LiveSlot(s, s.in.U8());
    k.index = s.in.U8() % count;
    k.p1 = Param(s.in);
    if (parameters == 2) k.p2 = Param(s.in);
    return k;
}

} // namespace

void OpCondition(Session& s) {
    const RoutineCall k = ReadRoutineCall(s, kConditionCount, 2);
    if (!k.slot) return;
    const int index = k.index;
    Trace("condition %d (%d, %d)", index, k.p1, k.p2);
    RunData* run = k.slot->run;
    CallContext c = ContextFor(s, k.slot, CallKind::kCondition, index);
    int32_t v = Checked(s, c, nullptr, [&] { return ConditionTable[index](run, k.p1, k.p2); });
    if (index >= routines::kOnEachSecond && index <= routines::kOnEachYear) {
        int32_t expected = (run->header.flags & kObjectFlagEventsTrue) ||
                                   Low16(s.rh->eventCount) == run->triggerEventCount
                               ? 1
                               : 0;
        FUZZ_EXPECT(
            v == expected,
            "event condition %d gave %d, expected %d (eventCount %d, trigger %d, flags 0x%x)",
            index, v, expected, s.rh->eventCount, run->triggerEventCount, run->header.flags);
    } else if (index == routines::kIsVisible) {
        FUZZ_EXPECT(v == (run->visible == 1 ? 1 : 0), "IsVisible gave %d with visible %d", v,
                    run->visible);
    }
}

void OpAction(Session& s) {
    const RoutineCall k = ReadRoutineCall(s, kActionCount, 2);
    if (!k.slot) return;
    const int index = k.index;
    const int32_t p1 = k.p1;
    Trace("action %d (%d, %d)", index, p1, k.p2);
    RunData* run = k.slot->run;
    CallContext c = ContextFor(s, k.slot, CallKind::kAction, index);
    int16_t r = Checked(s, c, nullptr, [&] { return ActionTable[index](run, p1, k.p2); });
    FUZZ_EXPECT(r == 0, "action %d returned %d", index, r);
    size_t expected;
    if (index <= routines::kSetYear)
        expected = p1 >= kSetterBounds[index].low && p1 <= kSetterBounds[index].high ? 3 : 0;
    else if (index == routines::kShowObject)
        expected = c.visibleBefore == 1 ? 0 : 1;
    else if (index == routines::kHideObject)
        expected = c.visibleBefore == 0 ? 0 : 1;
    else if (index == routines::kStartChronometer || index == routines::kStopChronometer ||
             index == routines::kStartCountdown || index == routines::kStopCountdown)
        expected = 0;
    else
        expected = 1;
    FUZZ_EXPECT(sim::Calls().size() == expected, "action %d with %d made %zu call(s), expected %zu",
                index, p1, sim::Calls().size(), expected);
    if (index == routines::kShowObject)
        FUZZ_EXPECT(run->visible == 1, "ShowObject left visible %d", run->visible);
    if (index == routines::kHideObject)
        FUZZ_EXPECT(run->visible == 0, "HideObject left visible %d", run->visible);
}

void OpExpression(Session& s) {
    const RoutineCall k = ReadRoutineCall(s, kExpressionCount, 1);
    if (!k.slot) return;
    const int index = k.index;
    const int32_t p = k.p1;
    Trace("expression %d (%d)", index, p);
    RunData* run = k.slot->run;
    SYSTEMTIME now = sim::Clock();
    CallContext c = ContextFor(s, k.slot, CallKind::kExpression, index);
    int32_t v = Checked(s, c, nullptr, [&] { return ExpressionTable[index](run, p); });
    const int32_t clockFields[8] = {now.wMilliseconds / 10, now.wSecond, now.wMinute, now.wHour,
                                    now.wDayOfWeek,         now.wDay,    now.wMonth,  now.wYear};
    const int16_t* facePoints[8] = {
        &run->centreX,        &run->centreY,        &run->hourHandEndX,   &run->hourHandEndY,
        &run->minuteHandEndX, &run->minuteHandEndY, &run->secondHandEndX, &run->secondHandEndY};
    const int16_t geometry[4] = {run->header.x, run->header.y, run->header.width,
                                 run->header.height};
    int32_t expected = v;
    if (index <= routines::kGetYear) {
        expected = clockFields[index];
    } else if (index >= routines::kGetCentreX && index <= routines::kGetSecondHandY) {
        int16_t origin = (index % 2) ? s.rh->displayOriginX : s.rh->displayOriginY;
        expected = k.slot->displayType == kDisplayAnalog
                       ? WrapAdd(*facePoints[index - routines::kGetCentreX], origin)
                       : 0;
    } else if (index == routines::kGetCountdown) {
        FUZZ_EXPECT(v >= 0, "GetCountdown gave %d, below 0", v);
    } else if (index >= routines::kGetXPosition) {
        expected = geometry[index - routines::kGetXPosition];
    }
    FUZZ_EXPECT(v == expected, "expression %d gave %d, expected %d", index, v, expected);
}

} // namespace fuzz
