#include "tests/soak/civil_time.h"

namespace soak {
namespace {

// Days from 1970-01-01 in the proleptic Gregorian calendar.
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

} // namespace

int64_t MsOfCivil(int year, int month, int day, int hour, int minute, int second, int ms) {
    int64_t days = DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day));
    return days * 86400000 + ((hour * 60 + minute) * 60 + second) * int64_t{1000} + ms;
}

int64_t MsOf(const SYSTEMTIME& t) {
    return MsOfCivil(t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds);
}

int64_t TimeCountOf(const SYSTEMTIME& t) {
    static const int kDaysBefore[12] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
    return (kDaysBefore[t.wMonth - 1] + t.wDay) * int64_t{8640000} + t.wHour * 360000 +
           t.wMinute * 6000 + t.wSecond * 100 + t.wMilliseconds / 10;
}

} // namespace soak
