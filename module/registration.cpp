#include "module/registration.h"

#include "core/records.h"
#include "events/routines.h"
#include "module/entry_points.h"

const ConditionRoutine ConditionTable[kConditionCount + 1] = {
    ChronometerReading, OnEachSecond, OnEachMinute,     OnEachHour, OnEachDay,
    OnEachMonth,        OnEachYear,   CountdownReading, IsVisible,  nullptr,
};

const ActionRoutine ActionTable[kActionCount + 1] = {
    SetHundredths, SetSeconds,  SetMinutes,       SetHours,         SetDayOfWeek,    SetDayOfMonth,
    SetMonth,      SetYear,     ResetChronometer, StartChronometer, StopChronometer, ShowObject,
    HideObject,    SetPosition, SetCountdown,     StartCountdown,   StopCountdown,   SetXPosition,
    SetYPosition,  SetWidth,    SetHeight,        nullptr,
};

const ExpressionRoutine ExpressionTable[kExpressionCount + 1] = {
    GetHundredths, GetSeconds,     GetMinutes,     GetHours,       GetDayOfWeek,   GetDayOfMonth,
    GetMonth,      GetYear,        GetChronometer, GetCentreX,     GetCentreY,     GetHourHandX,
    GetHourHandY,  GetMinuteHandX, GetMinuteHandY, GetSecondHandX, GetSecondHandY, GetCountdown,
    GetXPosition,  GetYPosition,   GetWidth,       GetHeight,      nullptr,
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
    // "CLK0" read as a little-endian 32-bit value lies in memory as "0KLC".
    record->identifier[0] = '0';
    record->identifier[1] = 'K';
    record->identifier[2] = 'L';
    record->identifier[3] = 'C';
    record->extraWord = 0;
    return 1;
}
