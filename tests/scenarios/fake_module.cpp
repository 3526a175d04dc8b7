// A module that has every entry point of CHRONYX under its ordinal and name
// but registers the wrong number of conditions: the host must refuse it
// before making any object. The fixed answers are the module's own source.
#include "contract/entry_points.h"

extern "C" {
int16_t WINAPI CreateRunObject(RunData*, const EditData*, const CreationRecord*) {
    return -1;
}
int16_t WINAPI DestroyRunObject(RunData*, EditorArg) {
    return 0;
}
int16_t WINAPI HandleRunObject(RunData*) {
    return 0;
}
int16_t WINAPI DisplayRunObject(RunData*) {
    return 0;
}
int16_t WINAPI ReInitRunObject(RunData*) {
    return 0;
}
int16_t WINAPI PauseRunObject(RunData*) {
    return 0;
}
int16_t WINAPI ContinueRunObject(RunData*) {
    return 0;
}
int16_t WINAPI GetRunObjectInfos(EditorArg, RegistrationRecord* record) {
    static const void* const kEmpty[kExpressionCount + 1] = {};
    record->conditionTable = kEmpty;
    record->actionTable = kEmpty;
    record->expressionTable = kEmpty;
    record->conditionCount = kConditionCount - 1; // the one thing wrong
    record->actionCount = kActionCount;
    record->expressionCount = kExpressionCount;
    record->editDataSize = kEditDataSize;
    for (int i = 0; i < 4; ++i)
        record->identifier[i] = kObjectIdentifier[i];
    return kGetRunObjectInfosAnswer;
}
}
