#include <gtest/gtest.h>

#include <climits>
#include <cstddef>
#include <cstring>
#include <string>

#include "core_test_support.h"

namespace {

using coretest::CoreTest;

const uint8_t* Bytes(const void* p) {
    return static_cast<const uint8_t*>(p);
}

// Fills every byte of the edit data with a non-zero pattern, so that no style
// text holds a NUL and a field copied from the wrong place shows.
void FillPattern(EditData* e) {
    uint8_t* b = reinterpret_cast<uint8_t*>(e);
    for (size_t i = 0; i < sizeof *e; ++i)
        b[i] = static_cast<uint8_t>((i * 7 + 3) % 255 + 1);
}

struct CopiedField {
    const char* name;
    size_t editOffset;
    size_t runOffset;
    size_t size;
};

#define COPIED(field)                                                                              \
    CopiedField {                                                                                  \
#field, offsetof(EditData, field), offsetof(RunData, field), sizeof(EditData::field)       \
    }
// A field of the settings block, at its place in each record.
#define SETTING(field)                                                                             \
    CopiedField {                                                                                  \
#field, offsetof(EditData, settings) + offsetof(ObjectSettings, field),                    \
            offsetof(RunData, settings) + offsetof(ObjectSettings, field),                         \
            sizeof(ObjectSettings::field)                                                          \
    }

const CopiedField kCopied[] = {
    SETTING(displayType),   SETTING(clockMode),       SETTING(border),
    SETTING(analogMarks),   SETTING(analogNumerals),  SETTING(analogFont),
    SETTING(analogColor),   SETTING(secondHand),      SETTING(secondHandColor),
    SETTING(minuteHand),    SETTING(minuteHandColor), SETTING(hourHand),
    SETTING(hourHandColor), SETTING(digitalFormat),   SETTING(digitalFont),
    SETTING(digitalColor),  SETTING(calendarFormat),  SETTING(calendarPattern),
    SETTING(calendarFont),  SETTING(calendarColor),   COPIED(dialInsetX),
    COPIED(dialInsetY),
};

// The whole run data after creation, byte for byte: every field the creation
// writes, and 0 everywhere else (spare block, timer, hand tips, counters).
TEST_F(CoreTest, CreationWritesExactlyTheNamedFields) {
    FillPattern(&edit);
    edit.settings.displayType = kDisplayDigital;
    edit.countdownHours = 1;
    edit.countdownMinutes = 30;
    edit.countdownSeconds = 0;
    creation.x = -5;
    creation.y = 700;

    ASSERT_EQ(0, Create());

    RunData expected;
    std::memset(&expected, 0, sizeof expected);
    expected.header.runHeader = sim::TheRunHeader();
    expected.header.x = -5;
    expected.header.y = 700;
    expected.header.width = edit.width;
    expected.header.height = edit.height;
    for (const CopiedField& f : kCopied)
        std::memcpy(reinterpret_cast<uint8_t*>(&expected) + f.runOffset,
                    Bytes(&edit) + f.editOffset, f.size);
    // No NUL in the stored texts: 39 characters and a NUL.
    std::memcpy(expected.settings.analogFontStyle, edit.settings.analogFontStyle, 39);
    std::memcpy(expected.settings.digitalFontStyle, edit.settings.digitalFontStyle, 39);
    std::memcpy(expected.settings.calendarFontStyle, edit.settings.calendarFontStyle, 39);
    expected.countdownStart = 540000;
    expected.fontHandle = run->fontHandle;
    expected.visible = 1;
    expected.lastSecond = 42; // the machine starts at 2026-03-05 10:15:42.570
    expected.lastMinute = 15;
    expected.lastHour = 10;
    expected.lastDay = 5;
    expected.lastMonth = 3;
    expected.lastYear = 2026;
    expected.firstHandle = 1;

    for (size_t i = 0; i < sizeof(RunData); ++i)
        EXPECT_EQ(Bytes(&expected)[i], Bytes(run)[i]) << "run data byte " << i;
    EXPECT_NE(0, +run->fontHandle);
}

TEST_F(CoreTest, CountdownLengthWrapsAsThe32BitMachine) {
    struct {
        int16_t hours, minutes, seconds;
        int32_t expected;
    } const cases[] = {
        {0, 0, 0, 0},
        {1, 30, 0, 540000},
        {23, 59, 59, 8639900},
        {0, -1, 0, -6000},
        {32767, 32767, 32767, -888903188},
        {-32768, 0, 0, 1088421888},
    };
    for (const auto& c : cases) {
        Restart();
        edit.countdownHours = c.hours;
        edit.countdownMinutes = c.minutes;
        edit.countdownSeconds = c.seconds;
        ASSERT_EQ(0, Create());
        EXPECT_EQ(c.expected, +run->countdownStart)
            << c.hours << " h " << c.minutes << " min " << c.seconds << " s";
    }
}

// Each display type registers the font of its own group, whatever the other
// groups hold; the invisible and unknown types register none.
TEST_F(CoreTest, FontRequestCarriesTheDisplayTypesGroup) {
    struct {
        int16_t displayType;
        int group; // 0 analog, 1 digital, 2 calendar, -1 none
    } const cases[] = {{0, 0}, {1, 1}, {3, 2}, {2, -1}, {4, -1}, {-1, -1}};
    for (const auto& c : cases) {
        Restart();
        edit = Settings(c.displayType);
        FontDescription* fonts[] = {&edit.settings.analogFont, &edit.settings.digitalFont,
                                    &edit.settings.calendarFont};
        char* styles[] = {edit.settings.analogFontStyle, edit.settings.digitalFontStyle,
                          edit.settings.calendarFontStyle};
        const char* names[] = {"Analog style", "Digital style", "Calendar style"};
        for (int g = 0; g < 3; ++g) {
            std::memset(fonts[g], 0x31 + g, sizeof(FontDescription));
            std::strcpy(styles[g], names[g]);
        }
        std::string where = "display type " + std::to_string(c.displayType);

        ASSERT_EQ(0, Create()) << where;
        EXPECT_EQ(1, +run->visible) << where;
        EXPECT_EQ(0, sim::LiveLocalAllocs()) << where;
        auto creates = sim::CallsNamed("HostFontCreate");
        if (c.group < 0) {
            EXPECT_EQ(0u, creates.size()) << where;
            EXPECT_EQ(0u, sim::CallsNamed("LocalAlloc").size()) << where;
            EXPECT_EQ(0, +run->fontHandle) << where;
            continue;
        }
        ASSERT_EQ(1u, creates.size()) << where;
        const std::vector<int64_t> args = {
            static_cast<int64_t>(reinterpret_cast<uintptr_t>(sim::TheFontBank())), 0x101, 0, 0};
        EXPECT_EQ(args, creates[0].args) << where;
        EXPECT_EQ(1, sim::LiveHostFonts()) << where;
        EXPECT_NE(0, +run->fontHandle) << where;

        FontRequest expected;
        std::memset(&expected, 0, sizeof expected);
        expected.word10 = 1;
        expected.font = *fonts[c.group];
        std::strcpy(expected.style, names[c.group]);
        expected.word98 = 2;
        expected.word102 = 255;
        FontRequest got = sim::LastFontRequest();
        for (size_t i = 0; i < sizeof got; ++i)
            EXPECT_EQ(Bytes(&expected)[i], Bytes(&got)[i]) << where << ", request byte " << i;
    }
}

TEST_F(CoreTest, FontRequestIsAllocatedZeroedAndFreedRightAfterTheCall) {
    for (bool fontFails : {false, true}) {
        Restart();
        sim::FailFontCreate(fontFails);
        Create();
        std::vector<std::string> ops;
        for (const sim::Call& c : sim::Calls())
            ops.push_back(c.op);
        const std::vector<std::string> expected = {"LocalAlloc", "HostFontCreate", "LocalFree"};
        EXPECT_EQ(expected, ops) << "font creation fails: " << fontFails;
        auto alloc = sim::CallsNamed("LocalAlloc");
        ASSERT_EQ(1u, alloc.size());
        EXPECT_EQ((std::vector<int64_t>{LPTR, 104}), alloc[0].args);
        EXPECT_EQ(0, sim::LiveLocalAllocs()) << "font creation fails: " << fontFails;
    }
}

// Stored style texts are not trusted to end within their field.
TEST_F(CoreTest, StyleTextsAreCutToTheirFieldAndSlot) {
    struct {
        size_t length; // characters before the first NUL; 40 = no NUL at all
        size_t inRunData;
        size_t inRequest;
    } const cases[] = {{0, 0, 0}, {31, 31, 31}, {32, 32, 31}, {39, 39, 31}, {40, 39, 31}};
    for (const auto& c : cases) {
        Restart();
        edit = Settings(kDisplayCalendar);
        std::memset(edit.settings.calendarFontStyle, 0, kStyleTextSize);
        for (size_t i = 0; i < c.length; ++i)
            edit.settings.calendarFontStyle[i] = static_cast<char>('A' + i % 26);
        // Whatever follows the field must not leak into the copy.
        edit.countdownHours = 0x4242;
        ASSERT_EQ(0, Create()) << "length " << c.length;

        EXPECT_EQ(c.inRunData, strnlen(+run->settings.calendarFontStyle, kStyleTextSize))
            << "length " << c.length;
        EXPECT_EQ(0, std::memcmp(edit.settings.calendarFontStyle, +run->settings.calendarFontStyle,
                                 c.inRunData))
            << "length " << c.length;

        FontRequest got = sim::LastFontRequest();
        EXPECT_EQ(0, std::memcmp(edit.settings.calendarFontStyle, got.style, c.inRequest))
            << "length " << c.length;
        for (size_t i = c.inRequest; i < sizeof got.style; ++i)
            EXPECT_EQ(0, got.style[i]) << "length " << c.length << ", slot byte " << i;
    }
}

TEST_F(CoreTest, FailedCreationLeavesNothingToRelease) {
    struct {
        const char* failure;
        bool failAlloc;
    } const cases[] = {{"allocation", true}, {"HostFontCreate", false}};
    for (const auto& c : cases) {
        Restart();
        edit.countdownMinutes = 2;
        edit.dialInsetX = 9;
        edit.settings.digitalFormat = 3;
        if (c.failAlloc)
            sim::FailNextLocalAlloc();
        else
            sim::FailFontCreate(true);

        EXPECT_EQ(-1, Create()) << c.failure;
        // Steps before the font are done...
        EXPECT_EQ(30, run->header.x) << c.failure;
        EXPECT_EQ(3, +run->settings.digitalFormat) << c.failure;
        EXPECT_EQ(12000, +run->countdownStart) << c.failure;
        EXPECT_EQ(9, +run->dialInsetX) << c.failure;
        // ...those after it are not.
        EXPECT_EQ(0, +run->fontHandle) << c.failure;
        EXPECT_EQ(0, +run->visible) << c.failure;
        EXPECT_EQ(0, +run->firstHandle) << c.failure;
        EXPECT_EQ(0, +run->lastSecond) << c.failure;
        EXPECT_EQ(0, +run->lastYear) << c.failure;
        EXPECT_EQ(0, sim::ClockReads()) << c.failure;
        EXPECT_EQ(0, sim::LiveLocalAllocs()) << c.failure;
        EXPECT_EQ(0, sim::LiveHostFonts()) << c.failure;

        sim::ClearCalls();
        EXPECT_EQ(0, DestroyRunObject(run, 0)) << c.failure;
        EXPECT_EQ(0u, sim::Calls().size()) << c.failure;
    }
}

TEST_F(CoreTest, CreationJustBeforeMidnightTakesThatTimeAsSeen) {
    sim::SetClock(2025, 12, 31, 23, 59, 59, 950);
    ASSERT_EQ(0, Create());
    EXPECT_EQ(59, +run->lastSecond);
    EXPECT_EQ(59, +run->lastMinute);
    EXPECT_EQ(23, +run->lastHour);
    EXPECT_EQ(31, +run->lastDay);
    EXPECT_EQ(12, +run->lastMonth);
    EXPECT_EQ(2025, +run->lastYear);
    EXPECT_EQ(std::vector<int16_t>({kResultRedraw, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}), Frames(12));
    EXPECT_TRUE(PushedCodes().empty());
}

TEST_F(CoreTest, DestroyErasesWhatIsShownAndReleasesWhatIsOwned) {
    struct {
        int16_t visible;
        int16_t fontHandle;
        bool erases;
        int64_t deletes; // handle passed to HostFontDelete, or -1 for none
    } const cases[] = {
        {1, 7, true, 7},
        {0, 7, false, 7},
        {1, 0, true, -1},
        {0, 0, false, -1},
        {2, 7, false, 7}, // only 1 means shown
        {1, static_cast<int16_t>(0x8000), true, 0x8000},
    };
    for (const auto& c : cases) {
        Restart();
        run->visible = c.visible;
        run->fontHandle = c.fontHandle;
        std::string where =
            "visible " + std::to_string(c.visible) + ", font " + std::to_string(c.fontHandle);

        EXPECT_EQ(0, DestroyRunObject(run, 0)) << where;
        std::vector<std::string> expectedOps;
        if (c.erases) expectedOps.push_back("HostEraseObject");
        if (c.deletes >= 0) expectedOps.push_back("HostFontDelete");
        std::vector<std::string> ops;
        for (const sim::Call& call : sim::Calls())
            ops.push_back(call.op);
        EXPECT_EQ(expectedOps, ops) << where;

        auto erase = sim::CallsNamed("HostEraseObject");
        if (!erase.empty()) {
            EXPECT_EQ((std::vector<int64_t>{reinterpret_cast<intptr_t>(run), 0, 0}), erase[0].args)
                << where;
        }
        auto del = sim::CallsNamed("HostFontDelete");
        if (!del.empty()) {
            EXPECT_EQ(
                (std::vector<int64_t>{reinterpret_cast<intptr_t>(sim::TheFontBank()), c.deletes}),
                del[0].args)
                << where;
        }
    }
}

TEST_F(CoreTest, InvisibleObjectLivesWithoutAFont) {
    edit = Settings(kDisplayInvisible);
    ASSERT_EQ(0, Create());
    EXPECT_EQ(1, +run->visible);
    EXPECT_EQ(0, +run->fontHandle);
    ASSERT_EQ(0, DestroyRunObject(run, 0));
    EXPECT_EQ(1u, sim::CallsNamed("HostEraseObject").size());
    EXPECT_EQ(0u, sim::CallsNamed("HostFontDelete").size());
}

TEST_F(CoreTest, FontLivesExactlyAsLongAsTheObject) {
    for (int16_t type : {kDisplayAnalog, kDisplayDigital, kDisplayCalendar}) {
        Restart();
        edit = Settings(type);
        ASSERT_EQ(0, Create());
        EXPECT_EQ(1, sim::LiveHostFonts()) << "display type " << type;
        DestroyRunObject(run, 0);
        EXPECT_EQ(0, sim::LiveHostFonts()) << "display type " << type;
    }
}

} // namespace

// A saved object holds its mode as the stored number, not as a name: 2 is the
// countdown, which shows its whole length until the timer starts.
TEST_F(CoreTest, StoredModeTwoIsACountdownOfItsLength) {
    const struct {
        int16_t storedMode;
        const char* expected;
    } cases[] = {
        {2, "00:05:00"}, // countdown: five minutes left
        {1, "00:00:00"}, // chronometer: nothing counted yet
        {0, "10:15:42"}, // local time, 24-hour layout with seconds
    };
    for (const auto& c : cases) {
        Restart();
        sim::SetClock(2026, 3, 5, 10, 15, 42, 570);
        edit.settings.clockMode = c.storedMode;
        edit.countdownMinutes = 5;
        edit.settings.digitalFormat = 3;
        ASSERT_EQ(0, Create()) << "mode " << c.storedMode;
        sim::ClearCalls();
        DisplayRunObject(run);
        const auto drawn = sim::CallsNamed("HostDrawText");
        ASSERT_EQ(1u, drawn.size()) << "mode " << c.storedMode;
        EXPECT_EQ(std::string(c.expected), drawn[0].text) << "stored mode " << c.storedMode;
        DestroyRunObject(run, 0);
    }
}
