// The anomaly sweep on the real DLL: a short run that makes every kind of
// acquiring call, replayed with the first, the second, ... of them failing
// until the run makes no more. Each step must end with nothing leaked, every
// context given back as it came, the host's fonts all released, and a
// creation refused only when a call failed.
#include "tests/wine/wine_fixture.h"

#include <string>

#include "contract/entry_points.h"
#include "host/common/gdi_accounting.h"
#include "host/common/host_clock.h"
#include "tests/wine/nth_failure.h"

namespace {

using nthfail::Acquiring;

class AnomalySweep : public wine::WineHost {
  protected:
    void SetUp() override {
        WineHost::SetUp();
        ASSERT_TRUE(nthfail::Install(wine::Chronyx()));
    }
    void TearDown() override {
        nthfail::FailNth(0);
        wine::RestoreImports();
        WineHost::TearDown();
    }

    // Creates, draws and destroys one object of each display type, numerals,
    // circle and border on, then sets the clock through one object.
    void Run() {
        hostclock::Reset(); // the same moment, so the same calls, at every step
        const struct {
            int16_t displayType;
            int16_t digitalFormat; // a 12-hour layout reads the designator
            int16_t calendarFormat;
        } kinds[] = {
            {kDisplayAnalog, 0, 0},   {kDisplayDigital, 1, 0},   {kDisplayCalendar, 0, 0},
            {kDisplayCalendar, 0, 2}, {kDisplayInvisible, 0, 0},
        };
        for (const auto& kind : kinds) {
            EditData edit = wine::MakeEditData(kind.displayType);
            edit.settings.analogNumerals = kNumeralsArabic;
            edit.settings.border = 1;
            edit.settings.digitalFormat = kind.digitalFormat;
            edit.settings.calendarFormat = kind.calendarFormat;
            RunData* run = Created(edit);
            if (!run) continue;
            Display(run);
            DestroyObject(run);
        }
        if (RunData* run = Created(wine::MakeEditData(kDisplayInvisible))) {
            wine::Tables().actions[routines::kSetHours](run, 5, 0);
            DestroyObject(run);
        }
    }

    // The object, or null when CreateRunObject refused it for a failed call.
    RunData* Created(const EditData& edit) {
        int16_t result = 1;
        RunData* run = CreateObject(edit, 10, 20, &result);
        EXPECT_TRUE(result == 0 || (result == -1 && nthfail::Failed() != Acquiring::kCount))
            << "CreateRunObject answered " << result << " with "
            << nthfail::NameOf(nthfail::Failed()) << " failed";
        return result == 0 ? run : nullptr;
    }
};

TEST_F(AnomalySweep, EachAcquiringCallFailedInTurnLeavesNothingBehind) {
    nthfail::FailNth(0);
    Run();
    const int steps = nthfail::Calls();
    ASSERT_GT(steps, 0);
    for (const std::string& fault : gdiaccount::Settle())
        ADD_FAILURE() << "with nothing failed: " << fault;
    bool failedOnce[static_cast<int>(Acquiring::kCount)] = {};
    for (int n = 1; n <= steps; ++n) {
        SCOPED_TRACE("call " + std::to_string(n) + " of " + std::to_string(steps) + " failing");
        nthfail::FailNth(n);
        Run();
        const std::string failed = nthfail::NameOf(nthfail::Failed());
        EXPECT_NE("none", failed) << "the run made fewer calls than without failures";
        if (nthfail::Failed() != Acquiring::kCount)
            failedOnce[static_cast<int>(nthfail::Failed())] = true;
        EXPECT_EQ(0, HrFontBankLiveCount(fontBank));
        EXPECT_EQ(0, HrOutstandingDCs(surface));
        for (const std::string& fault : gdiaccount::Settle())
            ADD_FAILURE() << failed << " failed: " << fault;
    }
    // The run is chosen to reach every kind of call.
    for (int c = 0; c < static_cast<int>(Acquiring::kCount); ++c)
        EXPECT_TRUE(failedOnce[c])
            << nthfail::NameOf(static_cast<Acquiring>(c)) << " was never made";
}

} // namespace
