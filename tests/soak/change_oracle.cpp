#include "tests/soak/change_oracle.h"

namespace soak {

void ChangeOracle::Refresh(const SYSTEMTIME& t) {
    second = t.wSecond;
    minute = t.wMinute;
    hour = t.wHour;
    day = t.wDay;
    month = t.wMonth;
    year = t.wYear;
}

void ChangeOracle::Observe(const SYSTEMTIME& t) {
    if (!calendar) {
        if (t.wSecond == second) return;
        second = t.wSecond;
        ++owed[1];
        if (t.wMinute == minute) return;
        minute = t.wMinute;
        ++owed[2];
        if (t.wHour == hour) return;
        hour = t.wHour;
        ++owed[3];
        return;
    }
    if (t.wHour == hour) return;
    hour = t.wHour;
    if (t.wDay == day) return;
    day = t.wDay;
    ++owed[4];
    if (t.wMonth == month) return;
    month = t.wMonth;
    ++owed[5];
    if (t.wYear == year) return;
    year = t.wYear;
    ++owed[6];
}

} // namespace soak
