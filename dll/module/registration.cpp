#include "module/registration.h"

#include "core/records.h"
#include "events/routines.h"
#include "contract/entry_points.h"

// The tables are the routine list in its order; the index is the interface.
const ConditionRoutine ConditionTable[kConditionCount + 1] = {
#define CHX_CONDITION(index, name) name,
#include "contract/routine_list.inc"
#undef CHX_CONDITION
    nullptr,
};

const ActionRoutine ActionTable[kActionCount + 1] = {
#define CHX_ACTION(index, name, parameter) name,
#include "contract/routine_list.inc"
#undef CHX_ACTION
    nullptr,
};

const ExpressionRoutine ExpressionTable[kExpressionCount + 1] = {
#define CHX_EXPRESSION(index, name) name,
#include "contract/routine_list.inc"
#undef CHX_EXPRESSION
    nullptr,
};

extern "C" int16_t WINAPI GetRunObjectInfos(EditorArg, RegistrationRecord* record) {
    record->conditionTable = ConditionTable;
    record->actionTable = ActionTable;
    record->expressionTable = ExpressionTable;
    record->conditionCount = kConditionCount;
    record->actionCount = kActionCount;
    record->expressionCount = kExpressionCount;
    record->editDataSize = kEditDataSize;
    record->objectFlags = kObjectFlags;
    // hostField is the host's and stays as the host supplied it.
    record->hostParameter = kHostParameter;
    for (int i = 0; i < 4; ++i)
        record->identifier[i] = kObjectIdentifier[i];
    record->extraWord = 0;
    return kGetRunObjectInfosAnswer;
}
