// The DLL on the simulated clock: its kernel32 imports patched, the clock
// routines read and written through the expressions and actions, and the
// object core sampling the same clock. The machine's clock is never touched.
#include "tests/wine/wine_fixture.h"

#include "host/common/import_patch.h"

namespace {

using civil::Moment;

std::string Show(const SYSTEMTIME& t) {
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d (%d) %02d:%02d:%02d.%03d", t.wYear, t.wMonth,
                  t.wDay, t.wDayOfWeek, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds);
    return text;
}

// Routine indices by name, from the contract's list.
using namespace routines;

class WineClock : public wine::WineHost {
  protected:
    void SetUp() override {
        WineHost::SetUp();
        run = CreateObject(wine::MakeEditData(kDisplayInvisible), 0, 0, &created);
        ASSERT_EQ(0, created);
    }
    int32_t Get(Expression e) { return wine::Tables().expressions[e](run, 0); }
    int16_t Set(Action a, int32_t value) { return wine::Tables().actions[a](run, value, 0); }

    RunData* run = nullptr;
    int16_t created = -1;
};

TEST(HostClock, InstallRedirectsTheModulesImports) {
    wine::Chronyx(); // loads and installs
    const HMODULE dll = wine::Chronyx();
    for (const char* name : {"GetLocalTime", "SetLocalTime"}) {
        // Found whatever the case of the library's name; not kernel32's own routine.
        void* const current = imports::Bound(dll, "KERNEL32.dll", name);
        ASSERT_NE(nullptr, current) << name;
        EXPECT_EQ(current, imports::Bound(dll, "kernel32.dll", name)) << name;
        EXPECT_NE(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), name)),
                  current)
            << name;
    }
    EXPECT_EQ(nullptr, imports::Bound(dll, "kernel32.dll", "NoSuchFunction"));
    EXPECT_EQ(nullptr, imports::Bound(dll, "nosuch.dll", "GetLocalTime"));
}

TEST_F(WineClock, ExpressionsReadTheSimulatedClock) {
    const struct {
        SYSTEMTIME time;
        int32_t expected[8]; // hundredths .. year, as the expressions order them
    } cases[] = {
        {Moment(1999, 12, 31, 23, 59, 58, 999), {99, 58, 59, 23, 5, 31, 12, 1999}},
        {Moment(2000, 2, 29, 0, 0, 0, 9), {0, 0, 0, 0, 2, 29, 2, 2000}},
        {Moment(2026, 3, 5, 10, 15, 42, 570), {57, 42, 15, 10, 4, 5, 3, 2026}},
        {Moment(1601, 1, 1, 12, 1, 2, 10), {1, 2, 1, 12, 1, 1, 1, 1601}},
    };
    for (const auto& c : cases) {
        hostclock::Set(c.time);
        for (int e = kGetHundredths; e <= kGetYear; ++e)
            EXPECT_EQ(c.expected[e], Get(static_cast<Expression>(e)))
                << "expression " << e << " at " << Show(hostclock::Now());
    }
}

TEST_F(WineClock, TimeSettersWriteThroughAndKeepTheDate) {
    const struct {
        Action action;
        int32_t value;
        SYSTEMTIME expected;
    } cases[] = {
        // From 2026-03-05 10:15:42.570; the milliseconds keep only hundredths.
        {kSetHundredths, 37, Moment(2026, 3, 5, 10, 15, 42, 370)},
        {kSetSeconds, 0, Moment(2026, 3, 5, 10, 15, 0, 570)},
        {kSetMinutes, 59, Moment(2026, 3, 5, 10, 59, 42, 570)},
        {kSetHours, 23, Moment(2026, 3, 5, 23, 15, 42, 570)},
        {kSetDayOfMonth, 31, Moment(2026, 3, 31, 10, 15, 42, 570)},
        {kSetMonth, 12, Moment(2026, 12, 5, 10, 15, 42, 570)},
        {kSetYear, 2000, Moment(2000, 3, 5, 10, 15, 42, 570)},
        {kSetYear, 1980, Moment(1980, 3, 5, 10, 15, 42, 570)},
    };
    for (const auto& c : cases) {
        hostclock::Reset();
        EXPECT_EQ(0, Set(c.action, c.value)) << "action " << c.action;
        EXPECT_EQ(1, hostclock::Writes()) << "action " << c.action;
        SYSTEMTIME expected = c.expected;
        hostclock::Set(expected); // fills in the weekday
        expected = hostclock::Now();
        hostclock::Reset();
        Set(c.action, c.value);
        EXPECT_EQ(Show(expected), Show(hostclock::Now())) << "action " << c.action;
    }
}

TEST_F(WineClock, ImpossibleDatesAreRefusedAndTheWeekdayPassesUnchanged) {
    // 2026-03-05 is a Thursday (4).
    const struct {
        Action action;
        int32_t value;
        WORD writtenDay, writtenMonth, writtenWeekday;
    } cases[] = {
        {kSetDayOfWeek, 0, 5, 3, 0}, // handed on as is; the clock takes it from the date
        {kSetDayOfWeek, 6, 5, 3, 6},
        {kSetMonth, 2, 5, 2, 4},
    };
    for (const auto& c : cases) {
        hostclock::Reset();
        const SYSTEMTIME before = hostclock::Now();
        Set(c.action, c.value);
        const SYSTEMTIME written = hostclock::LastWrite();
        EXPECT_EQ(c.writtenDay, written.wDay) << "action " << c.action << "(" << c.value << ")";
        EXPECT_EQ(c.writtenMonth, written.wMonth) << "action " << c.action << "(" << c.value << ")";
        EXPECT_EQ(c.writtenWeekday, written.wDayOfWeek)
            << "action " << c.action << "(" << c.value << ")";
        if (c.action == kSetDayOfWeek) {
            EXPECT_EQ(Show(before), Show(hostclock::Now())) << "weekday " << c.value;
        }
    }
    // The 31st of a 30-day month and 29 February of a common year are refused.
    const struct {
        SYSTEMTIME start;
        Action action;
        int32_t value;
    } refused[] = {
        {Moment(2026, 3, 31, 8, 0, 0, 0), kSetMonth, 4},
        {Moment(2026, 4, 1, 8, 0, 0, 0), kSetDayOfMonth, 31},
        {Moment(2024, 2, 29, 8, 0, 0, 0), kSetYear, 2025},
        {Moment(2026, 2, 1, 8, 0, 0, 0), kSetDayOfMonth, 29},
    };
    for (const auto& r : refused) {
        hostclock::Set(r.start);
        const SYSTEMTIME before = hostclock::Now();
        const int writes = hostclock::Writes();
        EXPECT_EQ(0, Set(r.action, r.value));
        EXPECT_EQ(writes + 1, hostclock::Writes()) << "the write is attempted";
        EXPECT_EQ(Show(before), Show(hostclock::Now()))
            << "action " << r.action << "(" << r.value << ")";
    }
}

TEST_F(WineClock, CreationAndSamplingReadTheSimulatedClock) {
    // New year's eve, 50 ms before midnight: the time cascade raises codes 1
    // to 3, the date cascade codes 4 to 6.
    const struct {
        int16_t displayType;
        std::vector<int32_t> codes;
    } cases[] = {
        {kDisplayInvisible, {1, 2, 3}},
        {kDisplayCalendar, {4, 5, 6}},
    };
    for (const auto& c : cases) {
        hostclock::Set(Moment(1999, 12, 31, 23, 59, 59, 950));
        ClearCallbacks();
        int16_t result = -1;
        RunData* late = CreateObject(wine::MakeEditData(c.displayType), 0, 0, &result);
        ASSERT_EQ(0, result) << "display " << c.displayType;
        EXPECT_EQ(59, late->lastSecond) << "display " << c.displayType;
        EXPECT_EQ(59, late->lastMinute) << "display " << c.displayType;
        EXPECT_EQ(23, late->lastHour) << "display " << c.displayType;
        EXPECT_EQ(31, late->lastDay) << "display " << c.displayType;
        EXPECT_EQ(12, late->lastMonth) << "display " << c.displayType;
        EXPECT_EQ(1999, late->lastYear) << "display " << c.displayType;

        for (int i = 0; i < 12; ++i) // the first call and the first sample
            wine::Api().HandleRunObject(late);
        hostclock::Advance(100);
        const int reads = hostclock::Reads();
        int redraws = 0;
        for (int i = 0; i < 12; ++i)
            redraws += wine::Api().HandleRunObject(late) == kResultRedraw;
        EXPECT_LT(reads, hostclock::Reads()) << "display " << c.displayType;
        EXPECT_EQ(1, redraws) << "display " << c.displayType;
        std::vector<int32_t> codes;
        for (const wine::CallbackCall& call : CallbacksNamed("HostPushEvent"))
            if (call.object == late) codes.push_back(call.a);
        EXPECT_EQ(c.codes, codes) << "display " << c.displayType;
        DestroyObject(late);
    }
}

} // namespace

namespace {

void* ReadImport(HMODULE module, const char* dll, const char* name) {
    void* const current = imports::Bound(module, dll, name);
    return current ? current : reinterpret_cast<void*>(-1);
}

// Patches chain at one entry and all come off together, back to the entry
// found before the first: what a host does when it logs the module's calls
// on top of the simulated clock. Tried on the host's own library so that the
// module's clock stays patched for the other tests.
TEST(HostPatches, ChainAndRestoreFromTheKeptEntries) {
    const HMODULE hostrun = GetModuleHandleA("HOSTRUN.dll");
    ASSERT_NE(nullptr, hostrun);
    const struct {
        const char* dll;
        const char* name;
    } cases[] = {{"gdi32.dll", "CreatePen"}, {"gdi32.dll", "DeleteObject"}};
    int first = 0, second = 0;
    void* const replacements[2] = {&first, &second};
    for (const auto& i : cases) {
        void* const original = ReadImport(hostrun, i.dll, i.name);
        ASSERT_NE(reinterpret_cast<void*>(-1), original) << i.name;
        void* next = reinterpret_cast<void*>(0xdeadbeef);
        ASSERT_TRUE(imports::Chain(hostrun, i.dll, i.name, replacements[0], &next)) << i.name;
        EXPECT_EQ(original, next) << i.name << ": the first patch chains to the loader's entry";
        ASSERT_TRUE(imports::Chain(hostrun, i.dll, i.name, replacements[1], &next)) << i.name;
        EXPECT_EQ(replacements[0], next) << i.name << ": the second chains to the first";
        EXPECT_EQ(replacements[1], ReadImport(hostrun, i.dll, i.name)) << i.name;
    }
    void* next = reinterpret_cast<void*>(0xdeadbeef);
    EXPECT_FALSE(imports::Chain(hostrun, "gdi32.dll", "NoSuchFunction", &first, &next));
    EXPECT_EQ(reinterpret_cast<void*>(0xdeadbeef), next) << "nothing written when nothing found";

    imports::RestoreAll(hostrun);
    for (const auto& i : cases)
        EXPECT_EQ(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("gdi32.dll"), i.name)),
                  ReadImport(hostrun, i.dll, i.name))
            << i.name << " is back on gdi32's own routine";
    // The module's clock, patched by the same owner, was left alone.
    EXPECT_NE(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetLocalTime")),
        ReadImport(wine::Chronyx(), "kernel32.dll", "GetLocalTime"));
}

} // namespace
