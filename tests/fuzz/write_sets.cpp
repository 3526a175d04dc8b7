#include "tests/fuzz/write_sets.h"

#include <cstddef>
#include <cstring>

#include "contract/entry_points.h"
#include "tests/fuzz/fuzz_report.h"

namespace fuzz {
namespace {

struct Range {
    size_t begin, end; // [begin, end)
};

#define FIELD(f)                                                                                   \
    Range {                                                                                        \
        offsetof(RunData, f), offsetof(RunData, f) + sizeof(RunData::f)                            \
    }
#define HEADER(f)                                                                                  \
    Range {                                                                                        \
        offsetof(ObjectHeader, f), offsetof(ObjectHeader, f) + sizeof(ObjectHeader::f)             \
    }
#define FIELDS(first, last)                                                                        \
    Range {                                                                                        \
        offsetof(RunData, first), offsetof(RunData, last) + sizeof(RunData::last)                  \
    }

const Range kTimer[] = {FIELD(chronoStart), FIELD(chronoElapsed)};
const Range kHandle[] = {FIELD(triggerEventCount),     FIELD(chronoStart),  FIELD(chronoElapsed),
                         FIELDS(lastSecond, lastYear), FIELD(frameCounter), FIELD(firstHandle),
                         FIELD(lastTimeCount)};
const Range kPause[] = {FIELD(paused), FIELD(chronoStart), FIELD(chronoElapsed)};
const Range kContinue[] = {FIELD(chronoStart), FIELDS(lastSecond, lastYear), FIELD(lastTimeCount)};
const Range kDisplay[] = {FIELDS(centreY, secondHandEndY)};
const Range kVisible[] = {FIELD(visible)};
const Range kPosition[] = {HEADER(x), HEADER(y)};
const Range kX[] = {HEADER(x)};
const Range kY[] = {HEADER(y)};
const Range kWidth[] = {HEADER(width)};
const Range kHeight[] = {HEADER(height)};
const Range kCountdown[] = {FIELD(chronoStart), FIELD(chronoElapsed), FIELD(countdownStart)};

struct WriteSet {
    const Range* ranges;
    size_t count;
};

template <size_t N> constexpr WriteSet Set(const Range (&r)[N]) {
    return {r, N};
}
constexpr WriteSet kNothing{nullptr, 0};

struct ActionWrites {
    int action;
    WriteSet writes;
};

// The actions that change the object; the clock setters change the clock,
// not the object.
const ActionWrites kActionWrites[] = {
    {routines::kResetChronometer, Set(kTimer)}, {routines::kStartChronometer, Set(kTimer)},
    {routines::kStopChronometer, Set(kTimer)},  {routines::kStartCountdown, Set(kTimer)},
    {routines::kStopCountdown, Set(kTimer)},    {routines::kShowObject, Set(kVisible)},
    {routines::kHideObject, Set(kVisible)},     {routines::kSetPosition, Set(kPosition)},
    {routines::kSetCountdown, Set(kCountdown)}, {routines::kSetXPosition, Set(kX)},
    {routines::kSetYPosition, Set(kY)},         {routines::kSetWidth, Set(kWidth)},
    {routines::kSetHeight, Set(kHeight)},
};

WriteSet WritesOfAction(int index) {
    for (const ActionWrites& a : kActionWrites)
        if (a.action == index) return a.writes;
    return kNothing;
}

WriteSet WritesOf(const CallContext& c) {
    switch (c.kind) {
    case CallKind::kHandle:
        return Set(kHandle);
    case CallKind::kPause:
        return Set(kPause);
    case CallKind::kContinue:
        return Set(kContinue);
    case CallKind::kDisplay:
        return Set(kDisplay);
    case CallKind::kAction:
        return WritesOfAction(c.index);
    default:
        return kNothing;
    }
}

bool Allowed(const WriteSet& set, size_t offset) {
    for (size_t i = 0; i < set.count; ++i)
        if (offset >= set.ranges[i].begin && offset < set.ranges[i].end) return true;
    return false;
}

} // namespace

// The host's own part of the header is poisoned; these copy and compare
// around that on purpose.
__attribute__((no_sanitize("address"))) void TakeSnapshot(RunSnapshot* snapshot,
                                                          const RunData* run) {
    const uint8_t* p = reinterpret_cast<const uint8_t*>(run);
    for (size_t i = 0; i < sizeof(RunData); ++i)
        snapshot->bytes[i] = p[i];
}

__attribute__((no_sanitize("address"))) void
CheckWriteSet(const CallContext& c, const RunSnapshot& before, const RunData* after) {
    const uint8_t* p = reinterpret_cast<const uint8_t*>(after);
    const WriteSet set = WritesOf(c);
    for (size_t i = 0; i < sizeof(RunData); ++i) {
        if (p[i] == before.bytes[i] || Allowed(set, i)) continue;
        Fail("%s %d changed run data byte %zu from 0x%02X to 0x%02X, outside what it may write",
             KindName(c.kind), c.index, i, before.bytes[i], p[i]);
    }
}

} // namespace fuzz
