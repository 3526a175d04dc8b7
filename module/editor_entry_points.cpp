// The host's editor calls these; this build serves the running game only, so
// each answers its fixed value and touches nothing (PutObject aside).
#include "module/entry_points.h"

typedef EditorArg A;

extern "C" {
uint32_t WINAPI GetInfos(A which) {
    return which == 0 ? 512 : 0;
}
void WINAPI DefaultOI(A, A) {}
void WINAPI InitObject(A, A, A, A) {}
void WINAPI ReinitObject(A, A, A, A) {}
int32_t WINAPI LoadObject(A, A, A, A) {
    return 0;
}
void WINAPI UnloadObject(A, A, A) {}
void WINAPI PutObject(A, int16_t* out, A, A) {
    *out = 0;
}
void WINAPI RemoveObject(A, A, A, A) {}
int32_t WINAPI MakeIcon(A, A, A, A, A) {
    return 0;
}
void WINAPI GetDesc(A, A, A, A, A, A) {}
void WINAPI AppendPopup(A, A, A, A, A) {}
int32_t WINAPI SelectPopup(A, A, A, A, A, A, A) {
    return 0;
}
int32_t WINAPI CreateObject(A, A, A) {
    return 0;
}
int32_t WINAPI ModifyObject(A, A, A, A, A, A) {
    return 0;
}
int32_t WINAPI RebuildExt(A, A, A, A, A, A) {
    return 0;
}
void WINAPI EndModifyObject(A, A, A) {}
int32_t WINAPI GetObjectCursor(A, A, A, A) {
    return 0;
}
void WINAPI GetObjectRect(A, A, A, A) {}
void WINAPI EditorDisplay(A, A, A, A, A) {}
int32_t WINAPI IsTransparent(A, A, A, A, A) {
    return 0;
}
void WINAPI PrepareToWriteObject(A, A, A) {}
void WINAPI UpdateFileNames(A, A, A, A) {}
void WINAPI GetObjInfos(A, A, A, A, A, A, A) {}
int32_t WINAPI GetConditionMenu(A, A, A) {
    return 0;
}
int32_t WINAPI GetActionMenu(A, A, A) {
    return 0;
}
int32_t WINAPI GetExpressionMenu(A, A, A) {
    return 0;
}
int16_t WINAPI GetConditionCodeFromMenu(A, A) {
    return -1;
}
int16_t WINAPI GetActionCodeFromMenu(A, A) {
    return -1;
}
int16_t WINAPI GetExpressionCodeFromMenu(A, A) {
    return -1;
}
void WINAPI GetConditionString(A, A, A, A) {}
void WINAPI GetActionString(A, A, A, A) {}
void WINAPI GetExpressionString(A, A, A, A) {}
int16_t WINAPI InitParameter(A, A, A) {
    return 0;
}
int16_t WINAPI EditParameter(A, A, A) {
    return 0;
}
int16_t WINAPI GetParameterString(A, A, A, A) {
    return 0;
}
void WINAPI GetConditionTitle(A, A, A, A, A) {}
void WINAPI GetActionTitle(A, A, A, A, A) {}
void WINAPI GetExpressionTitle(A, A, A, A) {}
int32_t WINAPI GetConditionInfos(A, A) {
    return 0;
}
int32_t WINAPI GetActionInfos(A, A) {
    return 0;
}
int32_t WINAPI GetExpressionInfos(A, A) {
    return 0;
}
int32_t WINAPI UpdateEditStructure(A, A) {
    return 0;
}
int16_t WINAPI GetImageInfosRunObject(A) {
    return 1;
}
}
