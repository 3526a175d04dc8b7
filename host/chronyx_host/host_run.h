// One run of a scenario on a loaded module: the frame loop a host drives its
// objects with. Per frame: the timeline's steps, HandleRunObject for every
// object, the event loop (each pushed event answered by the condition of the
// same number, then the scenario's event lines), eventCount moving on, the
// drawing of every object that asked for it, snapshots, and the clock moving
// on by one frame.
#pragma once

#include <string>

#include "host/chronyx_host/module_binding.h"
#include "host/chronyx_host/run_state.h"
#include "host/chronyx_host/scenario.h"

// Sets up the surface, the font bank, the clock and the profile and creates
// every object. False with a message when the host cannot start.
bool StartRun(HostRun* run, const Scenario& scenario, const ModuleBinding& module,
              const RunOptions& options, std::string* error);
// Runs the next frame; false once the run has failed.
bool RunFrame(HostRun* run);
// Resumes a paused run, destroys every object, checks that every font was
// given back, restores the profile and the module's imports.
void FinishRun(HostRun* run);

// StartRun, every frame, FinishRun. Returns the exit status: 0, or 1 when
// the run failed or the module broke a promise of the host contract.
int RunScenario(const Scenario& scenario, const ModuleBinding& module, const RunOptions& options);
