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
    static const void* const kEmpty[23] = {};
    record->conditionTable = kEmpty;
    record->actionTable = kEmpty;
    record->expressionTable = kEmpty;
    record->conditionCount = 8;
    record->actionCount = 21;
    record->expressionCount = 22;
    record->editDataSize = 448;
    record->identifier[0] = '0';
    record->identifier[1] = 'K';
    record->identifier[2] = 'L';
    record->identifier[3] = 'C';
    return 1;
}
}
