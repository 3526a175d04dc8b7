// PLACEHOLDER: every routine answers 0 until the events land; delete this file then.
#include "events/routines.h"

#define C(name)                                                                                    \
    extern "C" int32_t WINAPI name(RunData*, int32_t, int32_t) {                                   \
        return 0;                                                                                  \
    }
#define A(name)                                                                                    \
    extern "C" int16_t WINAPI name(RunData*, int32_t, int32_t) {                                   \
        return 0;                                                                                  \
    }
#define E(name)                                                                                    \
    extern "C" int32_t WINAPI name(RunData*, int32_t) {                                            \
        return 0;                                                                                  \
    }
C(ChronometerReading)
C(OnEachSecond) C(OnEachMinute) C(OnEachHour) C(OnEachDay) C(OnEachMonth) C(OnEachYear)
    C(CountdownReading) C(IsVisible) A(SetHundredths) A(SetSeconds) A(SetMinutes) A(SetHours)
        A(SetDayOfWeek) A(SetDayOfMonth) A(SetMonth) A(SetYear) A(ResetChronometer)
            A(StartChronometer) A(StopChronometer) A(ShowObject) A(HideObject) A(SetPosition)
                A(SetCountdown) A(StartCountdown) A(StopCountdown) A(SetXPosition) A(SetYPosition)
                    A(SetWidth) A(SetHeight) E(GetHundredths) E(GetSeconds) E(GetMinutes)
                        E(GetHours) E(GetDayOfWeek) E(GetDayOfMonth) E(GetMonth) E(GetYear)
                            E(GetChronometer) E(GetCentreX) E(GetCentreY) E(GetHourHandX)
                                E(GetHourHandY) E(GetMinuteHandX) E(GetMinuteHandY)
                                    E(GetSecondHandX) E(GetSecondHandY) E(GetCountdown)
                                        E(GetXPosition) E(GetYPosition) E(GetWidth) E(GetHeight)
