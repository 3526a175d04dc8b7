// The one way an event routine asks the host to draw the object again.
#pragma once

#include "core/records.h"

inline void AskRedisplay(RunData* run) {
    RunHeaderOf(run)->HostRedisplay(run, 0, 0);
}
