// The objects of a scenario, laid out as the edit data the host stores, and
// the labels the host writes on the frame.
#pragma once

#include <string>

#include "host/chronyx_host/scenario_json.h"

namespace scenario_reading {

ScenarioObject ReadObject(const json& value, const std::string& path);
Label ReadLabel(const json& value, const std::string& path, const Scenario& scenario);

} // namespace scenario_reading
