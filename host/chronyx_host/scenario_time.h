// Moments, durations and countdowns written as text in a scenario:
// "2025-12-31 23:59:59.500", "now:57.5", "-1:00:00", "0:05:00".
#pragma once

#include <cstdint>
#include <string>

#include "host/chronyx_host/scenario_json.h"

namespace scenario_reading {

ClockMoment ReadMoment(const json& value, const std::string& path);
// "now", or "now:SS[.mmm]": the current minute at that second, so that a run
// of the current time can still be sure to see the minute change.
int32_t ReadNowSecond(const std::string& text);
// "[+|-]H:MM:SS[.mmm]" or a signed number of milliseconds.
int64_t ReadDuration(const json& value, const std::string& path);
void ReadCountdown(const json& value, const std::string& path, EditData* edit);

} // namespace scenario_reading
