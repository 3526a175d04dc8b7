// The routine tables on the real DLL, called as a host calls them: only
// through the registration record, against the simulated clock. The
// time-change broadcast is caught at the DLL's import so that no window of
// the prefix is disturbed and its order against the redisplay can be seen.
#include "tests/wine/wine_fixture.h"

#include <string>
#include <vector>

#include "host/common/import_patch.h"

namespace {

using civil::Moment;
using wine::Api;
using wine::WineHost;

struct Broadcast {
    HWND window;
    UINT message;
    WPARAM wparam;
    LPARAM lparam;
    size_t callbacksBefore; // host callbacks already made when it was sent
};

std::vector<Broadcast> g_broadcasts;
const std::vector<wine::CallbackCall>* g_callbacks = nullptr;

LRESULT WINAPI RecordSendMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    g_broadcasts.push_back({window, message, wparam, lparam, g_callbacks->size()});
    return 0;
}

class EventsWine : public WineHost {
  protected:
    void SetUp() override {
        WineHost::SetUp();
        g_broadcasts.clear();
        g_callbacks = &Callbacks();
        ASSERT_TRUE(imports::Chain(wine::Chronyx(), "user32.dll", "SendMessageA",
                                   reinterpret_cast<void*>(&RecordSendMessage), nullptr));
        tables_ = wine::Tables();
    }

    void TearDown() override {
        wine::RestoreImports();
        WineHost::TearDown();
    }

    int32_t Condition(int index, RunData* run) { return tables_.conditions[index](run, 0, 0); }
    int16_t Action(int index, RunData* run, int32_t param) {
        return tables_.actions[index](run, param, 0);
    }
    int32_t Expression(int index, RunData* run) { return tables_.expressions[index](run, 0); }

    int Redisplays() { return static_cast<int>(CallbacksNamed("HostRedisplay").size()); }

    wine::RoutineTables tables_ = {};
};

// Routine indices by name, from the contract's list.
using namespace routines;

TEST_F(EventsWine, SetterChangesTheClockThenBroadcastsThenRedisplays) {
    RunData* run = CreateObject(wine::MakeEditData(kDisplayDigital));
    ASSERT_NE(nullptr, run);
    ClearCallbacks();

    // 10:15:42.570 on the clock.
    EXPECT_EQ(0, Action(kSetSeconds, run, 30));
    const SYSTEMTIME now = hostclock::Now();
    EXPECT_EQ(10, now.wHour);
    EXPECT_EQ(15, now.wMinute);
    EXPECT_EQ(30, now.wSecond);
    EXPECT_EQ(570, now.wMilliseconds);
    EXPECT_EQ(30, Expression(kGetSeconds, run));
    EXPECT_EQ(1, hostclock::Writes());

    ASSERT_EQ(1u, g_broadcasts.size());
    EXPECT_EQ(HWND_BROADCAST, g_broadcasts[0].window);
    EXPECT_EQ(static_cast<UINT>(WM_TIMECHANGE), g_broadcasts[0].message);
    EXPECT_EQ(0u, g_broadcasts[0].wparam);
    EXPECT_EQ(0, g_broadcasts[0].lparam);
    EXPECT_EQ(0u, g_broadcasts[0].callbacksBefore) << "redisplay came before the broadcast";
    ASSERT_EQ(1u, Callbacks().size());
    EXPECT_EQ("HostRedisplay", Callbacks()[0].op);
    EXPECT_EQ(static_cast<void*>(run), Callbacks()[0].object);
}

TEST_F(EventsWine, OutOfRangeSetterLeavesNoTrace) {
    RunData* run = CreateObject(wine::MakeEditData(kDisplayDigital));
    ASSERT_NE(nullptr, run);
    ClearCallbacks();
    EXPECT_EQ(0, Action(kSetHours, run, 24));
    EXPECT_EQ(0, Action(kSetSeconds, run, 256 + 30));
    EXPECT_EQ(0, hostclock::Writes());
    EXPECT_EQ(0u, g_broadcasts.size());
    EXPECT_EQ(0u, Callbacks().size());
}

TEST_F(EventsWine, RefusedDateIsStillBroadcastAndRedisplayed) {
    hostclock::Set(Moment(2026, 4, 10, 9, 0, 0, 0));
    RunData* run = CreateObject(wine::MakeEditData(kDisplayCalendar));
    ASSERT_NE(nullptr, run);
    ClearCallbacks();
    EXPECT_EQ(0, Action(kSetDayOfMonth, run, 31));
    EXPECT_EQ(1, hostclock::Writes());
    EXPECT_EQ(31, hostclock::LastWrite().wDay);
    EXPECT_EQ(10, hostclock::Now().wDay) << "31 April must be refused";
    EXPECT_EQ(1u, g_broadcasts.size());
    EXPECT_EQ(1, Redisplays());
}

TEST_F(EventsWine, ChronometerStartedAndReadThroughTheTables) {
    RunData* run = CreateObject(wine::MakeEditData(kDisplayInvisible));
    ASSERT_NE(nullptr, run);
    EXPECT_EQ(0, Action(kStartChronometer, run, 0));
    hostclock::Advance(2500);
    EXPECT_EQ(2500, Condition(kChronometerReading, run));
    EXPECT_EQ(250, Expression(kGetChronometer, run));
    EXPECT_EQ(0, Action(kStopChronometer, run, 0));
    hostclock::Advance(5000);
    EXPECT_EQ(250, Expression(kGetChronometer, run)) << "stopped";

    EXPECT_EQ(0, Action(kSetCountdown, run, 60000));
    EXPECT_EQ(60000, Condition(kCountdownReading, run));
    EXPECT_EQ(6000, Expression(kGetCountdown, run));
    EXPECT_EQ(0, Action(kStartCountdown, run, 0));
    hostclock::Advance(1500);
    EXPECT_EQ(5850, Expression(kGetCountdown, run));
    EXPECT_EQ(150, Expression(kGetChronometer, run)) << "one timer behind both";
}

// A host that counts its event loops passes 32767 within minutes; the events
// must go on answering after that.
TEST_F(EventsWine, EventConditionAnswersPastA16BitCounter) {
    const int32_t counters[] = {40000, 65536 + 5, -1};
    for (int32_t counter : counters) {
        hostclock::Reset();
        RunData* run = CreateObject(wine::MakeEditData(kDisplayDigital));
        ASSERT_NE(nullptr, run);
        ClearCallbacks();
        runHeader.eventCount = counter;
        hostclock::Advance(1000);
        for (int call = 1; call <= 12; ++call)
            Api().HandleRunObject(run);
        ASSERT_FALSE(CallbacksNamed("HostPushEvent").empty()) << "counter " << counter;
        EXPECT_EQ(1, Condition(kOnEachSecond, run)) << "counter " << counter;
        runHeader.eventCount = counter + 1;
        EXPECT_EQ(0, Condition(kOnEachSecond, run)) << "counter " << counter << ", next loop";
        DestroyObject(run);
    }
}

TEST_F(EventsWine, FacePointsBeforeAndAfterADraw) {
    // 101 x 101 at (10, 20) with the surface scrolled to (5, 7): the face's
    // centre is at (60, 70) of the frame wherever the surface stands.
    hostclock::Set(Moment(2026, 3, 5, 3, 0, 45, 0));
    runHeader.displayOriginX = 5;
    runHeader.displayOriginY = 7;
    EditData edit = wine::MakeEditData(kDisplayAnalog);
    edit.width = 101;
    edit.height = 101;
    edit.settings.analogMarks = 0;
    edit.settings.analogNumerals = kNumeralsNone;
    RunData* run = CreateObject(edit, 10, 20);
    ASSERT_NE(nullptr, run);

    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(i % 2 == 0 ? 5 : 7, Expression(kGetCentreX + i, run))
            << "expression " << (kGetCentreX + i) << " before any draw";

    EXPECT_EQ(0, Display(run));
    // centre, hour tip at 3, minute tip at 0, second tip at 45.
    const int32_t expected[8] = {60, 70, 92, 70, 60, 22, 12, 71};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(expected[i], Expression(kGetCentreX + i, run))
            << "expression " << (kGetCentreX + i) << " after the draw";

    RunData* digital = CreateObject(wine::MakeEditData(kDisplayDigital));
    ASSERT_NE(nullptr, digital);
    Display(digital);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(0, Expression(kGetCentreX + i, digital)) << "expression " << (kGetCentreX + i);
}

TEST_F(EventsWine, PositionSetAndReadThroughTheTables) {
    RunData* run = CreateObject(wine::MakeEditData(kDisplayDigital));
    ASSERT_NE(nullptr, run);
    ClearCallbacks();
    EXPECT_EQ(0, Action(kSetPosition, run, 0x0064FFFF));
    EXPECT_EQ(100, Expression(kGetXPosition, run));
    EXPECT_EQ(-1, Expression(kGetYPosition, run));
    EXPECT_EQ(1, Redisplays());
}

} // namespace
