// The names under which scenarios and logs know the object's conditions,
// actions and expressions. The position in each list is the index of the
// routine in the matching table of the registration record.
#pragma once

#include <cstdint>
#include <string_view>

struct RoutineList {
    const char* const* names;
    int32_t count;
};

extern const RoutineList kConditions;  // 9
extern const RoutineList kActions;     // 21
extern const RoutineList kExpressions; // 22

// The index of `name` in `list`, or -1. Names match exactly.
int32_t FindRoutine(const RoutineList& list, std::string_view name);

// Event codes 1..6 are answered by the condition of the same index.
constexpr int32_t kFirstEventCode = 1;
constexpr int32_t kLastEventCode = 6;
