// The actions and the per-frame update on one object: a clock set by an
// action reaches the object as a jump at its next sample.
#include "events_test_support.h"

#include "events/routines.h"
#include "contract/entry_points.h"

namespace {

class EventsInterplayTest : public EventsTest {
  protected:
    void SetUp() override {
        EventsTest::SetUp();
        EditData edit = {};
        edit.width = 120;
        edit.height = 40;
        edit.settings.displayType = kDisplayDigital;
        edit.settings.digitalFont.height = -16;
        CreationRecord creation = {};
        ASSERT_EQ(0, CreateRunObject(run, &edit, &creation));
    }

    // Calls HandleRunObject until it has read the clock once.
    void Sample() {
        const int reads = sim::ClockReads();
        for (int call = 0; call < 12 && sim::ClockReads() == reads; ++call)
            HandleRunObject(run);
        ASSERT_LT(reads, sim::ClockReads()) << "no sample within 12 calls";
    }
};

TEST_F(EventsInterplayTest, ClockSetByAnActionIsNotCountedByTheTimer) {
    Sample();
    StartChronometer(run, 0, 0);
    sim::AdvanceClock(1000);
    Sample();
    sim::ClearCalls();
    sim::TheRunHeader()->eventCount = 50000;

    SetHours(run, 11, 0);
    // The update sees the hour only in a cascade from a changed second.
    sim::AdvanceClock(1000);
    Sample();
    sim::AdvanceClock(1500);
    EXPECT_EQ(250, GetChronometer(run, 0)) << "the hour set forward was counted";

    std::vector<int64_t> codes;
    for (const sim::Call& push : sim::CallsNamed("HostPushEvent"))
        codes.push_back(push.args[1]);
    EXPECT_EQ(std::vector<int64_t>{1}, codes);
    EXPECT_EQ(1, OnEachSecond(run, 0, 0));
    sim::TheRunHeader()->eventCount = 50001;
    EXPECT_EQ(0, OnEachSecond(run, 0, 0));
}

} // namespace
