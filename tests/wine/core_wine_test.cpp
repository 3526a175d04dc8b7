// An object's life on the real DLL: created from stored settings with a font
// from the reference bank, raising the change events at a sample, keeping its
// timer across a pause, and destroyed with nothing left behind.
#include "tests/wine/wine_fixture.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

using civil::Moment;
using wine::Api;
using wine::CallbackCall;
using wine::WineHost;

std::vector<int32_t> PushedCodes(const std::vector<CallbackCall>& calls) {
    std::vector<int32_t> codes;
    for (const CallbackCall& c : calls)
        codes.push_back(c.a);
    return codes;
}

TEST_F(WineHost, ObjectLivesAndDiesWithItsFont) {
    struct {
        int16_t displayType;
        bool hasFont;
    } const cases[] = {{0, true}, {1, true}, {2, false}, {3, true}};
    for (const auto& c : cases) {
        const std::string where = "display type " + std::to_string(c.displayType);
        EditData edit = wine::MakeEditData(c.displayType);
        std::strcpy(edit.settings.analogFontStyle, "Bold");
        edit.countdownHours = 1;
        edit.countdownMinutes = 30;
        int16_t result = -2;
        RunData* run = CreateObject(edit, 33, 44, &result);
        ASSERT_NE(nullptr, run);
        ASSERT_EQ(0, result) << where;

        EXPECT_EQ(33, run->header.x) << where;
        EXPECT_EQ(44, run->header.y) << where;
        EXPECT_EQ(120, run->header.width) << where;
        EXPECT_EQ(540000, +run->countdownStart) << where;
        EXPECT_EQ(1, +run->visible) << where;
        EXPECT_EQ(1, +run->firstHandle) << where;
        // The fixture's clock starts at 2026-03-05 10:15:42.570.
        EXPECT_EQ(42, +run->lastSecond) << where;
        EXPECT_EQ(10, +run->lastHour) << where;
        EXPECT_EQ(2026, +run->lastYear) << where;
        EXPECT_EQ(c.hasFont ? 1 : 0, HrFontBankLiveCount(fontBank)) << where;
        if (c.hasFont) {
            LOGFONTA font = {};
            ASSERT_TRUE(
                HrFontBankDescription(fontBank, static_cast<uint16_t>(+run->fontHandle), &font))
                << where;
            EXPECT_STREQ("Arial", font.lfFaceName) << where;
            EXPECT_EQ(-16, font.lfHeight) << where;
        } else {
            EXPECT_EQ(0, +run->fontHandle) << where;
        }

        const size_t before = Callbacks().size();
        EXPECT_EQ(0, DestroyObject(run)) << where;
        ASSERT_EQ(before + 1, Callbacks().size()) << where;
        EXPECT_EQ("HostEraseObject", Callbacks().back().op) << where;
        EXPECT_EQ(static_cast<void*>(run), Callbacks().back().object) << where;
        EXPECT_EQ(0, HrFontBankLiveCount(fontBank)) << where;
    }
}

TEST_F(WineHost, NewYearSampleRaisesTheEventsOfTheDisplayType) {
    struct {
        int16_t displayType;
        std::vector<int32_t> codes;
    } const cases[] = {{1, {1, 2, 3}}, {3, {4, 5, 6}}, {5, {}}};
    for (const auto& c : cases) {
        const std::string where = "display type " + std::to_string(c.displayType);
        hostclock::Set(Moment(2025, 12, 31, 23, 59, 59, 990));
        RunData* run = CreateObject(wine::MakeEditData(c.displayType));
        ASSERT_NE(nullptr, run);
        const size_t before = Callbacks().size();
        const int reads = hostclock::Reads();
        EXPECT_EQ(kResultRedraw, Api().HandleRunObject(run)) << where;
        for (int call = 2; call <= 11; ++call)
            EXPECT_EQ(0, Api().HandleRunObject(run)) << where << ", call " << call;
        EXPECT_EQ(reads, hostclock::Reads()) << where;

        runHeader.eventCount = 0x12345;
        hostclock::Set(Moment(2026, 1, 1, 0, 0, 0, 0));
        EXPECT_EQ(c.codes.empty() ? 0 : 2, Api().HandleRunObject(run)) << where;
        std::vector<CallbackCall> pushes(Callbacks().begin() + before, Callbacks().end());
        EXPECT_EQ(c.codes, PushedCodes(pushes)) << where;
        for (const CallbackCall& p : pushes) {
            EXPECT_EQ("HostPushEvent", p.op) << where;
            EXPECT_EQ(static_cast<void*>(run), p.object) << where;
            EXPECT_EQ(0, p.b) << where;
        }
        if (!c.codes.empty()) {
            EXPECT_EQ(0x2345, +run->triggerEventCount) << where;
        }
        DestroyObject(run);
    }
}

TEST_F(WineHost, TimerKeepsItsValueAcrossAnHourLongPause) {
    EditData edit = wine::MakeEditData(kDisplayDigital);
    edit.settings.clockMode = kModeChronometer;
    RunData* run = CreateObject(edit);
    ASSERT_NE(nullptr, run);
    for (int call = 1; call <= 12; ++call)
        Api().HandleRunObject(run);
    const double started = run->lastTimeCount;
    run->chronoStart = started;
    hostclock::Advance(2500);

    EXPECT_EQ(0, Api().PauseRunObject(run));
    EXPECT_EQ(250, +run->chronoElapsed);
    EXPECT_EQ(0.0, +run->chronoStart);
    EXPECT_EQ(1, +run->paused);

    hostclock::Advance(3600 * 1000);
    EXPECT_EQ(0, Api().ContinueRunObject(run));
    const double resumed = started + 250 + 360000;
    EXPECT_EQ(resumed, +run->chronoStart);
    EXPECT_EQ(resumed, +run->lastTimeCount);

    const size_t before = Callbacks().size();
    for (int call = 1; call <= 12; ++call)
        Api().HandleRunObject(run);
    EXPECT_EQ(before, Callbacks().size()) << "no events for what the pause passed over";
    EXPECT_EQ(250, +run->chronoElapsed);
    EXPECT_EQ(resumed, +run->chronoStart);
    EXPECT_EQ(0, Api().ReInitRunObject(run));
    DestroyObject(run);
}

} // namespace
