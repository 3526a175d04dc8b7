// The simulated clock moved by a signed amount: days before 1970 count
// backwards from the calendar's zero, and a moment that lands exactly on one
// of their midnights must stay on that day.
#include <gtest/gtest.h>

#include <string>

#include "simulated_machine/sim_machine.h"
#include "tests/native/shown_moment.h"

namespace {

TEST(ClockAdvance, AcrossMidnightsBeforeAndAfter1970) {
    const struct {
        int from[7]; // year, month, day, hour, minute, second, millisecond
        int64_t by;
        const char* expected;
    } cases[] = {
        {{1970, 1, 1, 0, 0, 0, 0}, -86400000, "1969-12-31 (3) 00:00:00.000"},
        {{1970, 1, 1, 0, 0, 0, 0}, -1, "1969-12-31 (3) 23:59:59.999"},
        {{1969, 12, 31, 12, 0, 0, 0}, -12 * 3600000, "1969-12-31 (3) 00:00:00.000"},
        {{1969, 12, 31, 0, 0, 0, 1}, -1, "1969-12-31 (3) 00:00:00.000"},
        {{1601, 1, 2, 0, 0, 0, 0}, -86400000, "1601-01-01 (1) 00:00:00.000"},
        {{1969, 12, 31, 23, 59, 59, 999}, 1, "1970-01-01 (4) 00:00:00.000"},
    };
    for (const auto& c : cases) {
        const int* f = c.from;
        sim::Reset();
        sim::SetClock(f[0], f[1], f[2], f[3], f[4], f[5], f[6]);
        const std::string from = ShowMoment(sim::Clock());
        sim::AdvanceClock(c.by);
        EXPECT_EQ(c.expected, ShowMoment(sim::Clock())) << from << " moved by " << c.by << " ms";
    }
}

} // namespace
