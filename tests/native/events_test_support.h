// A run data record set up by hand for the event routines.
#pragma once

#include <string>

#include "tests/native/run_data_test_support.h"

class EventsTest : public RunDataTest {
  protected:
    static int Redisplays() { return static_cast<int>(sim::CallsNamed("HostRedisplay").size()); }

    // One redisplay asked for, of this object.
    void ExpectOneRedisplay(const std::string& what) {
        auto redisplay = sim::CallsNamed("HostRedisplay");
        ASSERT_EQ(1u, redisplay.size()) << what;
        EXPECT_EQ((std::vector<int64_t>{Address(run), 0, 0}), redisplay[0].args) << what;
    }
};
