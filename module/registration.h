// The registration record's values and the three routine tables.
#pragma once

#include "module/host_services.h"

constexpr uint16_t kConditionCount = 9;
constexpr uint16_t kActionCount = 21;
constexpr uint16_t kExpressionCount = 22;
constexpr uint16_t kObjectFlags = 0x1214;
constexpr uint16_t kHostParameter = 101;

// Each table ends with one null entry after its last routine.
extern const ConditionRoutine ConditionTable[kConditionCount + 1];
extern const ActionRoutine ActionTable[kActionCount + 1];
extern const ExpressionRoutine ExpressionTable[kExpressionCount + 1];
