#include "host/chronyx_host/routine_names.h"

namespace {

const char* const kConditionNames[] = {
    "ChronometerReading", "OnEachSecond", "OnEachMinute",     "OnEachHour", "OnEachDay",
    "OnEachMonth",        "OnEachYear",   "CountdownReading", "IsVisible",
};

const char* const kActionNames[] = {
    "SetHundredths",   "SetSeconds",    "SetMinutes",   "SetHours",         "SetDayOfWeek",
    "SetDayOfMonth",   "SetMonth",      "SetYear",      "ResetChronometer", "StartChronometer",
    "StopChronometer", "ShowObject",    "HideObject",   "SetPosition",      "SetCountdown",
    "StartCountdown",  "StopCountdown", "SetXPosition", "SetYPosition",     "SetWidth",
    "SetHeight",
};

const char* const kExpressionNames[] = {
    "GetHundredths",  "GetSeconds",     "GetMinutes",   "GetHours",       "GetDayOfWeek",
    "GetDayOfMonth",  "GetMonth",       "GetYear",      "GetChronometer", "GetCentreX",
    "GetCentreY",     "GetHourHandX",   "GetHourHandY", "GetMinuteHandX", "GetMinuteHandY",
    "GetSecondHandX", "GetSecondHandY", "GetCountdown", "GetXPosition",   "GetYPosition",
    "GetWidth",       "GetHeight",
};

template <size_t N> constexpr RoutineList ListOf(const char* const (&names)[N]) {
    return RoutineList{names, static_cast<int32_t>(N)};
}

} // namespace

const RoutineList kConditions = ListOf(kConditionNames);
const RoutineList kActions = ListOf(kActionNames);
const RoutineList kExpressions = ListOf(kExpressionNames);

static_assert(sizeof(kConditionNames) / sizeof(kConditionNames[0]) == 9);
static_assert(sizeof(kActionNames) / sizeof(kActionNames[0]) == 21);
static_assert(sizeof(kExpressionNames) / sizeof(kExpressionNames[0]) == 22);

int32_t FindRoutine(const RoutineList& list, std::string_view name) {
    for (int32_t i = 0; i < list.count; ++i)
        if (name == list.names[i]) return i;
    return -1;
}
