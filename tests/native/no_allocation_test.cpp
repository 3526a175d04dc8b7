// Once an object is created, nothing the host calls per frame may touch the
// heap: a host draws many objects every frame, and an allocation there is a
// stall and, on failure, a path the module has no way to report. Every
// allocation of this executable is counted through the global operator new
// and the C allocator; counting is armed only around the calls under test, so
// the other tests run as before.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

#include "core/records.h"
#include "contract/entry_points.h"
#include "contract/host_services.h"
#include "fixtures/edit_data_builder.h"
#include "fixtures/run_object.h"
#include "simulated_machine/sim_machine.h"

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define CHX_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer) ||                         \
    __has_feature(memory_sanitizer)
#define CHX_SANITIZED 1
#endif
#endif
#ifndef CHX_SANITIZED
#define CHX_SANITIZED 0
#endif

namespace {

bool g_armed = false;
int g_allocations = 0;

[[maybe_unused]] inline void Note() {
    if (g_armed) ++g_allocations;
}

} // namespace

#if !CHX_SANITIZED

// The C allocator, forwarded to the C library's own entry points.
extern "C" {
void* __libc_malloc(size_t);
void* __libc_calloc(size_t, size_t);
void* __libc_realloc(void*, size_t);
void __libc_free(void*);

void* malloc(size_t size) {
    Note();
    return __libc_malloc(size);
}
void* calloc(size_t count, size_t size) {
    Note();
    return __libc_calloc(count, size);
}
void* realloc(void* p, size_t size) {
    Note();
    return __libc_realloc(p, size);
}
void free(void* p) {
    __libc_free(p);
}
}

namespace {

void* Allocate(size_t size) {
    Note();
    void* p = __libc_malloc(size ? size : 1);
    if (!p) throw std::bad_alloc();
    return p;
}

void* AllocateAligned(size_t size, std::align_val_t align) {
    Note();
    void* p =
        std::aligned_alloc(static_cast<size_t>(align), (size + static_cast<size_t>(align) - 1) &
                                                           ~(static_cast<size_t>(align) - 1));
    if (!p) throw std::bad_alloc();
    return p;
}

} // namespace

void* operator new(size_t size) {
    return Allocate(size);
}
void* operator new[](size_t size) {
    return Allocate(size);
}
void* operator new(size_t size, const std::nothrow_t&) noexcept {
    Note();
    return __libc_malloc(size ? size : 1);
}
void* operator new[](size_t size, const std::nothrow_t&) noexcept {
    Note();
    return __libc_malloc(size ? size : 1);
}
void* operator new(size_t size, std::align_val_t align) {
    return AllocateAligned(size, align);
}
void* operator new[](size_t size, std::align_val_t align) {
    return AllocateAligned(size, align);
}
void operator delete(void* p) noexcept {
    __libc_free(p);
}
void operator delete[](void* p) noexcept {
    __libc_free(p);
}
void operator delete(void* p, size_t) noexcept {
    __libc_free(p);
}
void operator delete[](void* p, size_t) noexcept {
    __libc_free(p);
}
void operator delete(void* p, std::align_val_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::align_val_t) noexcept {
    std::free(p);
}
void operator delete(void* p, size_t, std::align_val_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, size_t, std::align_val_t) noexcept {
    std::free(p);
}

#endif

namespace {

// Allocations made by fn; the simulated machine's own books are filled
// beforehand, so that only the module can be caught.
template <class Fn> int AllocationsIn(Fn fn) {
    g_allocations = 0;
    g_armed = true;
    fn();
    g_armed = false;
    return g_allocations;
}

// The simulated graphics layer and host keep their handles in node books that
// recycle nodes; a few handles made and given back here leave spare nodes for
// the draws, which hold no more than this at once.
void FillSimulatedBooks() {
    HGDIOBJ pens[8];
    for (HGDIOBJ& pen : pens)
        pen = CreatePen(PS_SOLID, 1, 0);
    for (HGDIOBJ pen : pens)
        DeleteObject(pen);
    HostSurface* surface = sim::TheSurface();
    HDC dcs[4];
    for (int i = 0; i < 4; ++i)
        dcs[i] = i % 2 ? HostBeginGdiDraw(surface) : HostGetSurfaceDC(surface);
    for (int i = 0; i < 4; ++i)
        i % 2 ? HostEndGdiDraw(surface, dcs[i]) : HostReleaseSurfaceDC(surface, dcs[i]);
}

struct Kind {
    const char* name;
    int16_t displayType;
    int16_t clockMode;
    int16_t numerals;
    int16_t digitalFormat;
    int16_t calendarFormat;
    int16_t calendarPattern;
};

// Every path of the draw: each display type, layout, mode, numeral style and
// calendar format, with a running timer and a frame where there is one.
const Kind kKinds[] = {
    {"analog Arabic", kDisplayAnalog, kModeTime, kNumeralsArabic, 0, 0, 0},
    {"analog Roman, chronometer", kDisplayAnalog, kModeChronometer, kNumeralsRoman, 0, 0, 0},
    {"analog no numerals, countdown", kDisplayAnalog, kModeCountdown, kNumeralsNone, 0, 0, 0},
    {"digital 0", kDisplayDigital, kModeTime, 0, 0, 0, 0},
    {"digital 1", kDisplayDigital, kModeTime, 0, 1, 0, 0},
    {"digital 2", kDisplayDigital, kModeTime, 0, 2, 0, 0},
    {"digital 3", kDisplayDigital, kModeTime, 0, 3, 0, 0},
    {"digital 1, chronometer", kDisplayDigital, kModeChronometer, 0, 1, 0, 0},
    {"digital 3, countdown", kDisplayDigital, kModeCountdown, 0, 3, 0, 0},
    {"digital 4", kDisplayDigital, kModeTime, 0, 4, 0, 0},
    {"invisible", kDisplayInvisible, kModeTime, 0, 0, 0, 0},
    {"calendar short", kDisplayCalendar, kModeTime, 0, 0, 0, 0},
    {"calendar long", kDisplayCalendar, kModeTime, 0, 0, 1, 0},
    {"calendar pattern 0", kDisplayCalendar, kModeTime, 0, 0, 2, 0},
    {"calendar pattern 1", kDisplayCalendar, kModeTime, 0, 0, 2, 1},
    {"calendar pattern 3", kDisplayCalendar, kModeTime, 0, 0, 2, 3},
    {"calendar pattern 4", kDisplayCalendar, kModeTime, 0, 0, 2, 4},
    {"calendar pattern 6", kDisplayCalendar, kModeTime, 0, 0, 2, 6},
    {"calendar pattern 9", kDisplayCalendar, kModeTime, 0, 0, 2, 9},
};

class NoAllocation : public ::testing::Test {
  protected:
    void SetUp() override {
        if (CHX_SANITIZED) GTEST_SKIP() << "the sanitizer owns the allocator";
    }

    // A created object on a machine whose recorders are off: from here on the
    // module alone decides whether anything is allocated.
    RunData* Create(const Kind& kind) {
        sim::Reset();
        // The user's long format names the weekday and the month, so that
        // both name paths run.
        sim::SetProfileString("Intl", "sLongDate", "dddd, MMMM dd, yyyy");
        const EditData edit = fixture::EditDataBuilder(160, 120, kind.displayType, kind.clockMode)
                                  .Border()
                                  .Dial(kind.numerals)
                                  .DigitalFormat(kind.digitalFormat)
                                  .Calendar(kind.calendarFormat, kind.calendarPattern)
                                  .Countdown(0, 2, 0);
        EXPECT_EQ(0, fixture::CreateObject(CreateRunObject, &run_, kRunDataSize,
                                           sim::TheRunHeader(), edit))
            << kind.name;
        sim::SetRecording(false);
        FillSimulatedBooks();
        return &run_;
    }

    RunData run_;
};

TEST_F(NoAllocation, CountingSeesAllocations) {
    // Without this, a counter that never counts would pass every test below.
    int viaNew = AllocationsIn([] {
        std::string* volatile s = new std::string(100, 'x');
        delete s;
    });
    int viaMalloc = AllocationsIn([] {
        void* volatile p = std::malloc(64);
        std::free(p);
    });
    EXPECT_GE(viaNew, 1) << "operator new went uncounted";
    EXPECT_GE(viaMalloc, 1) << "malloc went uncounted";
}

TEST_F(NoAllocation, HandleAndDisplayOfEveryKind) {
    for (const Kind& kind : kKinds) {
        RunData* run = Create(kind);
        int first = AllocationsIn([&] {
            HandleRunObject(run);
            DisplayRunObject(run);
        });
        // Twelve calls: the last one samples, and the clock moved on raises
        // events; then the next sample crosses into a new year.
        sim::SetClock(2026, 12, 31, 23, 59, 59, 990);
        int frames = AllocationsIn([&] {
            for (int i = 0; i < 12; ++i)
                HandleRunObject(run);
            DisplayRunObject(run);
        });
        sim::AdvanceClock(10);
        int events = AllocationsIn([&] {
            for (int i = 0; i < 12; ++i)
                HandleRunObject(run);
            DisplayRunObject(run);
        });
        run->visible = 0;
        int hidden = AllocationsIn([&] { DisplayRunObject(run); });
        int pause = AllocationsIn([&] {
            PauseRunObject(run);
            ContinueRunObject(run);
            ReInitRunObject(run);
        });
        EXPECT_EQ(0, first) << kind.name << ": first handle and draw";
        EXPECT_EQ(0, frames) << kind.name << ": twelve frames";
        EXPECT_EQ(0, events) << kind.name << ": frames that raise events";
        EXPECT_EQ(0, hidden) << kind.name << ": hidden draw";
        EXPECT_EQ(0, pause) << kind.name << ": pause and resume";
    }
}

TEST_F(NoAllocation, EveryRoutineThroughItsTable) {
    RegistrationRecord record{};
    GetRunObjectInfos(0, &record);
    auto conditions = static_cast<const ConditionRoutine*>(record.conditionTable);
    auto actions = static_cast<const ActionRoutine*>(record.actionTable);
    auto expressions = static_cast<const ExpressionRoutine*>(record.expressionTable);
    // In-range parameters, so that each action does its work rather than
    // refusing it: hundredths, seconds, minutes, hours, weekday, day, month,
    // year, five without one, a position, a countdown, two without, x, y,
    // width and height.
    const int32_t kActionParameter[21] = {50, 30, 30, 11,    3, 15, 6,  2027, 0,   0, 0,
                                          0,  0,  0,  60000, 0, 0,  10, 20,   100, 50};
    ASSERT_EQ(21, record.actionCount);

    for (const Kind& kind : {kKinds[0], kKinds[7], kKinds[11]}) {
        RunData* run = Create(kind);
        HandleRunObject(run);
        DisplayRunObject(run);
        for (int i = 0; i < record.conditionCount; ++i)
            EXPECT_EQ(0, AllocationsIn([&] { conditions[i](run, 0, 0); }))
                << kind.name << ": condition " << i;
        for (int i = 0; i < record.expressionCount; ++i)
            EXPECT_EQ(0, AllocationsIn([&] { expressions[i](run, 0); }))
                << kind.name << ": expression " << i;
        for (int i = 0; i < record.actionCount; ++i)
            EXPECT_EQ(0, AllocationsIn([&] { actions[i](run, kActionParameter[i], 0); }))
                << kind.name << ": action " << i;
        // Drawing after the actions (moved, resized, the clock set) too.
        EXPECT_EQ(0, AllocationsIn([&] { DisplayRunObject(run); })) << kind.name;
        EXPECT_EQ(0, AllocationsIn([&] { DestroyRunObject(run, 0); })) << kind.name;
    }
}

} // namespace
