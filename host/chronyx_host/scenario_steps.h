// The steps of a scenario, of its timeline or of its event lines: the
// routines the host calls, pausing and resuming, moving the clock, snapshots
// and recordings.
#pragma once

#include <cstdint>
#include <string>

#include "host/chronyx_host/scenario_json.h"

namespace scenario_reading {

int32_t ObjectIndex(const Scenario& scenario, const json& step, const std::string& path,
                    int32_t fallback);
// A step of the timeline (with "frame") or of an event line (without).
Step ReadStep(const Scenario& scenario, const json& value, const std::string& path, bool inTimeline,
              int32_t objectFallback);
void RefuseSecondRecording(const Scenario& scenario, const Step& step, const std::string& path);

} // namespace scenario_reading
