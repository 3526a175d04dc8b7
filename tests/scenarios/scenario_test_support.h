// What the scenario reader's tests share: a text that must parse, and a
// scenario of one object with the given settings.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "host/chronyx_host/scenario.h"

inline Scenario MustParse(const std::string& text) {
    Scenario scenario;
    ScenarioError error;
    EXPECT_TRUE(ParseScenario(text, &scenario, &error))
        << "refused at " << error.where << ": " << error.message;
    return scenario;
}

inline std::string OneObject(const std::string& settings) {
    return R"({"objects": [{"name": "o", )" + settings + "}]}";
}
