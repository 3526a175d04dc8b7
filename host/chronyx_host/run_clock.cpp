#include "host/chronyx_host/run_clock.h"

#include "base/moment.h"
#include "host/common/host_clock.h"

ClockMoment MomentOf(const SYSTEMTIME& t) {
    return ClockMoment{t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds};
}

SYSTEMTIME SystemTimeOf(const ClockMoment& m) {
    return civil::Moment(m.year, m.month, m.day, m.hour, m.minute, m.second, m.millisecond);
}

ClockMoment HostNow(bool realClock) {
    if (realClock) {
        SYSTEMTIME now;
        GetLocalTime(&now);
        return MomentOf(now);
    }
    return MomentOf(hostclock::Now());
}
