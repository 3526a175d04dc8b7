#include "tests/soak/change_oracle.h"

#include <span>

namespace soak {
namespace {

// One unit of the cascade: the field of the reading, where the oracle keeps
// the value last seen, and the event its change owes (0: none).
struct Unit {
    WORD SYSTEMTIME::*field;
    int ChangeOracle::*seen;
    int code;
};

constexpr Unit kTimeUnits[] = {{&SYSTEMTIME::wSecond, &ChangeOracle::second, 1},
                               {&SYSTEMTIME::wMinute, &ChangeOracle::minute, 2},
                               {&SYSTEMTIME::wHour, &ChangeOracle::hour, 3}};
// The calendar's cascade starts at the hour, which owes nothing of its own.
constexpr Unit kDateUnits[] = {{&SYSTEMTIME::wHour, &ChangeOracle::hour, 0},
                               {&SYSTEMTIME::wDay, &ChangeOracle::day, 4},
                               {&SYSTEMTIME::wMonth, &ChangeOracle::month, 5},
                               {&SYSTEMTIME::wYear, &ChangeOracle::year, 6}};

} // namespace

void ChangeOracle::Refresh(const SYSTEMTIME& t) {
    second = t.wSecond;
    minute = t.wMinute;
    hour = t.wHour;
    day = t.wDay;
    month = t.wMonth;
    year = t.wYear;
}

void ChangeOracle::Observe(const SYSTEMTIME& t) {
    const std::span<const Unit> units =
        calendar ? std::span<const Unit>(kDateUnits) : std::span<const Unit>(kTimeUnits);
    for (const Unit& unit : units) {
        if (t.*unit.field == this->*unit.seen) return;
        this->*unit.seen = t.*unit.field;
        if (unit.code) ++owed[unit.code];
    }
}

} // namespace soak
