// Reading a scenario's JSON values, each with its path: anything the host
// cannot make sense of is refused with the JSON path where it was found.
// Every setting has a readable form and a raw number, so that stored values
// outside the documented ones can still be handed to the module.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>

#include <nlohmann/json.hpp>

#include "host/chronyx_host/scenario.h"

namespace scenario_reading {

using nlohmann::json;

// Thrown by Refuse; ParseScenario and AddRecording turn it into their error.
struct Refusal {
    ScenarioError error;
};

[[noreturn]] void Refuse(const std::string& where, const std::string& message);
[[noreturn]] void RefuseType(const json& value, const std::string& path, const char* expected);
std::string Key(const std::string& path, const char* key);
std::string Item(const std::string& path, size_t index);
void ExpectKeys(const json& value, const std::string& path,
                std::initializer_list<const char*> allowed);
const json* Find(const json& object, const char* key);
void CheckRange(int64_t number, const std::string& path, int64_t low, int64_t high);
int64_t ReadInteger(const json& value, const std::string& path, int64_t low, int64_t high);
int16_t ReadI16(const json& value, const std::string& path);
const std::string& ReadString(const json& value, const std::string& path);
// A switch: true or false, or the raw stored number.
int16_t ReadSwitch(const json& value, const std::string& path);
// One of the names (its position is the stored value), or the raw number.
int16_t ReadChoice(const json& value, const std::string& path, std::span<const char* const> names);
inline int16_t ReadChoice(const json& value, const std::string& path,
                          std::initializer_list<const char*> names) {
    return ReadChoice(value, path, std::span<const char* const>(names.begin(), names.size()));
}
// "#rrggbb", stored as a Windows RGB value (red in the low byte), or raw.
uint32_t ReadColour(const json& value, const std::string& path);
void CopyText(char* to, size_t size, const std::string& text);

} // namespace scenario_reading
