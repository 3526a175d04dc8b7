// A module that has every entry point of CHRONYX under its ordinal and name
// but registers the wrong number of conditions: the host must refuse it
// before making any object.
#include "module/entry_points.h"

extern "C" {
uint32_t WINAPI GetInfos(EditorArg which) {
    return which == 0 ? 512 : 0;
}
void WINAPI DefaultOI(EditorArg, EditorArg) {}
void WINAPI InitObject(EditorArg, EditorArg, EditorArg, EditorArg) {}
void WINAPI ReinitObject(EditorArg, EditorArg, EditorArg, EditorArg) {}
int32_t WINAPI LoadObject(EditorArg, EditorArg, EditorArg, EditorArg) {
    return 0;
}
void WINAPI UnloadObject(EditorArg, EditorArg, EditorArg) {}
void WINAPI PutObject(EditorArg, int16_t*, EditorArg, EditorArg) {}
void WINAPI RemoveObject(EditorArg, EditorArg, EditorArg, EditorArg) {}
int32_t WINAPI MakeIcon(EditorArg, EditorArg, EditorArg, EditorArg, EditorArg) {
    return 0;
}
void WINAPI GetDesc(EditorArg, EditorArg, EditorArg, EditorArg, EditorArg, EditorArg) {}
void WINAPI AppendPopup(EditorArg, EditorArg, EditorArg, EditorArg, EditorArg) {}
int32_t WINAPI SelectPopup(EditorArg, EditorArg, EditorArg, EditorArg, EditorArg, EditorArg,
                           EditorArg) {
    return 0;
}
int32_t WINAPI CreateObject(EditorArg, EditorArg, EditorArg) {
    return 0;
}
int32_t WINAPI ModifyObject(EditorArg, EditorArg, EditorArg, EditorArg, EditorArg, EditorArg) {
    return 0;
}
int32_t WINAPI RebuildExt(EditorArg, EditorArg, EditorArg, EditorArg, EditorArg, EditorArg) {
    return 0;
}
void WINAPI EndModifyObject(EditorArg, EditorArg, EditorArg) {}
int32_t WINAPI GetObjectCursor(EditorArg, EditorArg, EditorArg, EditorArg) {
    return 0;
}
void WINAPI GetObjectRect(EditorArg, EditorArg, EditorArg, EditorArg) {}
void WINAPI EditorDisplay(EditorArg, EditorArg, EditorArg, EditorArg, EditorArg) {}
int32_t WINAPI IsTransparent(EditorArg, EditorArg, EditorArg, EditorArg, EditorArg) {
    return 0;
}
void WINAPI PrepareToWriteObject(EditorArg, EditorArg, EditorArg) {}
void WINAPI UpdateFileNames(EditorArg, EditorArg, EditorArg, EditorArg) {}
void WINAPI GetObjInfos(EditorArg, EditorArg, EditorArg, EditorArg, EditorArg, EditorArg,
                        EditorArg) {}
int32_t WINAPI GetConditionMenu(EditorArg, EditorArg, EditorArg) {
    return 0;
}
int32_t WINAPI GetActionMenu(EditorArg, EditorArg, EditorArg) {
    return 0;
}
int32_t WINAPI GetExpressionMenu(EditorArg, EditorArg, EditorArg) {
    return 0;
}
int16_t WINAPI GetConditionCodeFromMenu(EditorArg, EditorArg) {
    return -1;
}
int16_t WINAPI GetActionCodeFromMenu(EditorArg, EditorArg) {
    return -1;
}
int16_t WINAPI GetExpressionCodeFromMenu(EditorArg, EditorArg) {
    return -1;
}
void WINAPI GetConditionString(EditorArg, EditorArg, EditorArg, EditorArg) {}
void WINAPI GetActionString(EditorArg, EditorArg, EditorArg, EditorArg) {}
void WINAPI GetExpressionString(EditorArg, EditorArg, EditorArg, EditorArg) {}
int16_t WINAPI InitParameter(EditorArg, EditorArg, EditorArg) {
    return 0;
}
int16_t WINAPI EditParameter(EditorArg, EditorArg, EditorArg) {
    return 0;
}
int16_t WINAPI GetParameterString(EditorArg, EditorArg, EditorArg, EditorArg) {
    return 0;
}
void WINAPI GetConditionTitle(EditorArg, EditorArg, EditorArg, EditorArg, EditorArg) {}
void WINAPI GetActionTitle(EditorArg, EditorArg, EditorArg, EditorArg, EditorArg) {}
void WINAPI GetExpressionTitle(EditorArg, EditorArg, EditorArg, EditorArg) {}
int32_t WINAPI GetConditionInfos(EditorArg, EditorArg) {
    return 0;
}
int32_t WINAPI GetActionInfos(EditorArg, EditorArg) {
    return 0;
}
int32_t WINAPI GetExpressionInfos(EditorArg, EditorArg) {
    return 0;
}
int32_t WINAPI UpdateEditStructure(EditorArg, EditorArg) {
    return 0;
}
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
int16_t WINAPI GetImageInfosRunObject(EditorArg) {
    return 1;
}
int16_t WINAPI GetRunObjectDataSize(EditorArg, EditorArg) {
    return 744;
}
}
