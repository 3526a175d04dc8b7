// The registration record's values and the three routine tables.
#pragma once

#include "contract/entry_points.h"
#include "contract/host_services.h"

static_assert(kConditionCount == 9 && kActionCount == 21 && kExpressionCount == 22);

// Each table ends with one null entry after its last routine.
extern const ConditionRoutine ConditionTable[kConditionCount + 1];
extern const ActionRoutine ActionTable[kActionCount + 1];
extern const ExpressionRoutine ExpressionTable[kExpressionCount + 1];
