// Drawing the objects over the scenario's background: each object that
// asked is drawn again, over a fresh background, with the objects it covers.
#pragma once

#include "host/chronyx_host/run_state.h"

void PaintBackground(HostRun* run, const RECT& area);
void DrawObjects(HostRun* run);
