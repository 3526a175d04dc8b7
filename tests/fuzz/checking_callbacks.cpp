// The run header's callbacks, wrapped to check the object they are called
// for against the call under way before the simulated host records them.
#include "tests/fuzz/call_checks.h"

#include "contract/entry_points.h"
#include "core/numeric.h"
#include "tests/fuzz/fuzz_report.h"

namespace fuzz {

const CallContext* g_callUnderWay = nullptr;

namespace {

HostCallback g_recordPush;
HostCallback g_recordErase;
HostCallback g_recordRedisplay;

// The callbacks see the object and its run data at the moment of the call,
// which the log cannot show afterwards.
void CheckCallbackObject(const char* name, void* object) {
    const CallContext* c = g_callUnderWay;
    FUZZ_EXPECT(c != nullptr, "%s called outside any entry point", name);
    FUZZ_EXPECT(object == c->run, "%s got object %p, expected the object of the %s call, %p", name,
                object, KindName(c->kind), static_cast<const void*>(c->run));
}

int32_t WINAPI CheckedPush(void* object, int32_t code, int32_t b) {
    CheckCallbackObject("HostPushEvent", object);
    const RunData* run = static_cast<const RunData*>(object);
    int16_t expected = Low16(RunHeaderOf(run)->eventCount);
    FUZZ_EXPECT(run->triggerEventCount == expected,
                "event %d pushed with triggerEventCount %d, expected the low 16 bits of "
                "eventCount, %d",
                code, run->triggerEventCount, expected);
    return g_recordPush(object, code, b);
}

int32_t WINAPI CheckedErase(void* object, int32_t a, int32_t b) {
    CheckCallbackObject("HostEraseObject", object);
    return g_recordErase(object, a, b);
}

int32_t WINAPI CheckedRedisplay(void* object, int32_t a, int32_t b) {
    CheckCallbackObject("HostRedisplay", object);
    return g_recordRedisplay(object, a, b);
}

} // namespace

void InstallCheckingCallbacks(RunHeader* header) {
    g_recordPush = header->HostPushEvent;
    g_recordErase = header->HostEraseObject;
    g_recordRedisplay = header->HostRedisplay;
    header->HostPushEvent = CheckedPush;
    header->HostEraseObject = CheckedErase;
    header->HostRedisplay = CheckedRedisplay;
}

} // namespace fuzz
