// The exported entry points of CHRONYX, with their export ordinals. Every
// argument is one 32-bit value on the product; the editor's entry points take
// arguments whose types are the host's and are ignored here.
#pragma once

#include <cstdint>

#include "module/host_services.h"

struct RunData;
struct EditData;
struct CreationRecord;

typedef UINT_PTR EditorArg;

extern "C" {
// Editor side: exported, answering fixed values only.
uint32_t WINAPI GetInfos(EditorArg which);                                             // 2
void WINAPI DefaultOI(EditorArg, EditorArg);                                           // 3
void WINAPI InitObject(EditorArg, EditorArg, EditorArg, EditorArg);                    // 4
void WINAPI ReinitObject(EditorArg, EditorArg, EditorArg, EditorArg);                  // 5
int32_t WINAPI LoadObject(EditorArg, EditorArg, EditorArg, EditorArg);                 // 6
void WINAPI UnloadObject(EditorArg, EditorArg, EditorArg);                             // 7
void WINAPI PutObject(EditorArg, int16_t* out, EditorArg, EditorArg);                  // 8
void WINAPI RemoveObject(EditorArg, EditorArg, EditorArg, EditorArg);                  // 9
int32_t WINAPI MakeIcon(EditorArg, EditorArg, EditorArg, EditorArg, EditorArg);        // 10
void WINAPI GetDesc(EditorArg, EditorArg, EditorArg, EditorArg, EditorArg, EditorArg); // 11
void WINAPI AppendPopup(EditorArg, EditorArg, EditorArg, EditorArg, EditorArg);        // 12
int32_t WINAPI SelectPopup(EditorArg, EditorArg, EditorArg, EditorArg, EditorArg, EditorArg,
                           EditorArg);                                                         // 13
int32_t WINAPI CreateObject(EditorArg, EditorArg, EditorArg);                                  // 14
int32_t WINAPI ModifyObject(EditorArg, EditorArg, EditorArg, EditorArg, EditorArg, EditorArg); // 15
int32_t WINAPI RebuildExt(EditorArg, EditorArg, EditorArg, EditorArg, EditorArg, EditorArg);   // 16
void WINAPI EndModifyObject(EditorArg, EditorArg, EditorArg);                                  // 17
int32_t WINAPI GetObjectCursor(EditorArg, EditorArg, EditorArg, EditorArg);                    // 18
void WINAPI GetObjectRect(EditorArg, EditorArg, EditorArg, EditorArg);                         // 19
void WINAPI EditorDisplay(EditorArg, EditorArg, EditorArg, EditorArg, EditorArg);              // 20
int32_t WINAPI IsTransparent(EditorArg, EditorArg, EditorArg, EditorArg, EditorArg);           // 21
void WINAPI PrepareToWriteObject(EditorArg, EditorArg, EditorArg);                             // 22
void WINAPI UpdateFileNames(EditorArg, EditorArg, EditorArg, EditorArg);                       // 23
void WINAPI GetObjInfos(EditorArg, EditorArg, EditorArg, EditorArg, EditorArg, EditorArg,
                        EditorArg);                                                   // 36
int32_t WINAPI GetConditionMenu(EditorArg, EditorArg, EditorArg);                     // 60
int32_t WINAPI GetActionMenu(EditorArg, EditorArg, EditorArg);                        // 61
int32_t WINAPI GetExpressionMenu(EditorArg, EditorArg, EditorArg);                    // 62
int16_t WINAPI GetConditionCodeFromMenu(EditorArg, EditorArg);                        // 63
int16_t WINAPI GetActionCodeFromMenu(EditorArg, EditorArg);                           // 64
int16_t WINAPI GetExpressionCodeFromMenu(EditorArg, EditorArg);                       // 65
void WINAPI GetConditionString(EditorArg, EditorArg, EditorArg, EditorArg);           // 66
void WINAPI GetActionString(EditorArg, EditorArg, EditorArg, EditorArg);              // 67
void WINAPI GetExpressionString(EditorArg, EditorArg, EditorArg, EditorArg);          // 68
int16_t WINAPI InitParameter(EditorArg, EditorArg, EditorArg);                        // 69
int16_t WINAPI EditParameter(EditorArg, EditorArg, EditorArg);                        // 70
int16_t WINAPI GetParameterString(EditorArg, EditorArg, EditorArg, EditorArg);        // 71
void WINAPI GetConditionTitle(EditorArg, EditorArg, EditorArg, EditorArg, EditorArg); // 72
void WINAPI GetActionTitle(EditorArg, EditorArg, EditorArg, EditorArg, EditorArg);    // 73
void WINAPI GetExpressionTitle(EditorArg, EditorArg, EditorArg, EditorArg);           // 74
int32_t WINAPI GetConditionInfos(EditorArg, EditorArg);                               // 75
int32_t WINAPI GetActionInfos(EditorArg, EditorArg);                                  // 76
int32_t WINAPI GetExpressionInfos(EditorArg, EditorArg);                              // 77
int32_t WINAPI UpdateEditStructure(EditorArg, EditorArg);                             // 78

// Run-time side.
int16_t WINAPI CreateRunObject(RunData* run, const EditData* edit,
                               const CreationRecord* creation);                 // 50
int16_t WINAPI DestroyRunObject(RunData* run, EditorArg unused);                // 51
int16_t WINAPI HandleRunObject(RunData* run);                                   // 52
int16_t WINAPI DisplayRunObject(RunData* run);                                  // 53
int16_t WINAPI ReInitRunObject(RunData* run);                                   // 56
int16_t WINAPI PauseRunObject(RunData* run);                                    // 57
int16_t WINAPI ContinueRunObject(RunData* run);                                 // 58
int16_t WINAPI GetRunObjectInfos(EditorArg unused, RegistrationRecord* record); // 59
int16_t WINAPI GetImageInfosRunObject(EditorArg);                               // 79
int16_t WINAPI GetRunObjectDataSize(EditorArg, EditorArg);                      // 80
}
