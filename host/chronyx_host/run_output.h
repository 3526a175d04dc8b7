// What a run writes beside its log: snapshots of the surface and recordings
// of its frames. Each sets the run's failure when a file cannot be written.
#pragma once

#include "host/chronyx_host/run_state.h"

bool TakeSnapshot(HostRun* run, const Step& step);
bool BeginRecording(HostRun* run, const Step& step);
// Hands this frame's surface to every recording, and finishes those whose
// last frame it is.
bool RecordFrame(HostRun* run);
