// Scenarios compiled into the host, so that its main job needs no file.
#pragma once

#include <string_view>

struct BuiltinScenario {
    const char* name;
    const char* json;
};

extern const BuiltinScenario kBuiltinScenarios[];
extern const int kBuiltinScenarioCount;

// The first one is the default.
const BuiltinScenario* FindBuiltinScenario(std::string_view name);
