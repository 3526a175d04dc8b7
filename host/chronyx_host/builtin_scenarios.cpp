#include "host/chronyx_host/builtin_scenarios.h"

const BuiltinScenario* FindBuiltinScenario(std::string_view name) {
    for (int i = 0; i < kBuiltinScenarioCount; ++i)
        if (name == kBuiltinScenarios[i].name) return &kBuiltinScenarios[i];
    return nullptr;
}
