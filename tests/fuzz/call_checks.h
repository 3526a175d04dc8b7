// What one entry point call may ask of the host and of Windows, checked from
// the simulated machine's call log after the call returns.
#pragma once

#include <cstdint>

#include "core/records.h"

namespace fuzz {

enum class CallKind {
    kCreate,
    kDestroy,
    kHandle,
    kDisplay,
    kPause,
    kContinue,
    kReInit,
    kCondition,
    kAction,
    kExpression,
    kEditor,
};

struct CallContext {
    CallKind kind;
    int index;             // routine index of a condition, action or expression
    const RunData* run;    // the object called, null for the editor's entry points
    uint16_t fontHandle;   // the host font the object holds before the call
    int16_t visibleBefore; // visible before the call
    int16_t displayType;   // as created
};

const char* KindName(CallKind kind);

// The context of the call under way, for the run-header callbacks, which check
// their object against it at the moment they are called.
extern const CallContext* g_callUnderWay;

// Fails the input on the first call that the context does not allow, on a
// device context not given back, or on a Windows font or pen not deleted, all
// within this one call. Returns the number of events pushed.
int CheckCallLog(const CallContext& context);

// Run-header callbacks that check their arguments, then record as the
// simulated host does. Installed into the run header after every sim::Reset.
void InstallCheckingCallbacks(RunHeader* header);

} // namespace fuzz
