#include <cstring>

#include "tests/native/display_test_support.h"

namespace {

// Thursday, 5 March 2026.
std::string Format(const char* pattern, int32_t year = 2026, int16_t month = 3, int16_t day = 5,
                   int16_t weekday = 4, size_t capacity = 200) {
    std::vector<char> out(capacity + 16, '\x5A');
    FormatCalendarText(year, month, day, weekday, pattern, out.data(), capacity);
    for (size_t i = capacity; i < out.size(); ++i)
        EXPECT_EQ('\x5A', out[i]) << "byte " << i << " past the capacity was written";
    return std::string(out.data());
}

TEST(CalendarPattern, ExpandsRunsLiteralsAndOtherCharacters) {
    struct {
        const char* pattern;
        const char* expected;
    } const cases[] = {
        // The seven built-in patterns.
        {"dd/mm/yy", "05/03/26"},
        {"d mmmm yyyy", " 5 March 2026"},
        {"d mmmm, yyyy", " 5 March, 2026"},
        {"mmmm d, yyyy", "March  5, 2026"},
        {"dd-mmm-yy", "05-Mar-26"},
        {"mmmm, yy", "March, 26"},
        {"mmm-yy", "Mar-26"},
        // Windows-style formats: case does not matter, also within a run.
        {"M/d/yy", " 3/ 5/26"},
        {"dddd, MMMM dd, yyyy", "Thursday, March 05, 2026"},
        {"dD/Mm/YY", "05/03/26"},
        {"DDD", "Thu"},
        {"ddd", "Thu"},
        // Run lengths: y gives nothing, yyy reads as yy, five letters are four and one.
        {"y", ""},
        {"yy", "26"},
        {"yyy", "26"},
        {"yyyy", "2026"},
        {"yyyyy", "2026"},
        {"yyyyyy", "202626"},
        {"ddddd", "Thursday 5"},
        {"mmmmm", "March 3"},
        {"dm", " 5 3"},
        // Literals: copied unexpanded, both quotes dropped.
        {"\"day\" dd", "day 05"},
        {"\"\"dd", "05"},
        {"dd\"\"\"mm\"", "05mm"},
        {"\"yyyy\"yy", "yyyy26"},
        // A quote left open copies the rest of the pattern.
        {"dd \"mm yy", "05 mm yy"},
        {"dd\"", "05"},
        // A single quote is an ordinary character.
        {"'dd'", "'05'"},
        // Anything else is copied as it is, bytes above 127 included.
        {"", ""},
        {"Week: dd.", "Week: 05."},
        {"Day dd.", " 5a 05."},
        {"\xE9\xC4 dd", "\xE9\xC4 05"},
        {"12:34 x", "12:34 x"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, Format(c.pattern)) << "pattern \"" << c.pattern << "\"";
}

TEST(CalendarPattern, NamesAndNumbersOfEachDate) {
    struct {
        const char* pattern;
        int32_t year;
        int16_t month, day, weekday;
        const char* expected;
    } const cases[] = {
        {"ddd dddd", 1995, 8, 17, 4, "Thu Thursday"},
        {"ddd dddd", 1995, 8, 20, 0, "Sun Sunday"},
        {"ddd dddd", 1995, 8, 19, 6, "Sat Saturday"},
        {"mmm mmmm", 2026, 5, 1, 5, "May May"},
        {"mmm mmmm", 2026, 1, 1, 4, "Jan January"},
        {"mmm mmmm", 2026, 12, 1, 2, "Dec December"},
        {"d dd m mm", 2026, 11, 30, 1, "30 30 11 11"},
        {"yy", 2000, 1, 1, 6, "00"},
        {"yy", 2005, 1, 1, 6, "05"},
        {"yy", 2009, 1, 1, 4, "09"},
        {"yy", 1995, 1, 1, 0, "95"},
        {"yyyy", 999, 1, 1, 0, "0999"},
        // Only the year's low 16 bits count.
        {"yyyy yy", 65536 + 2026, 1, 1, 0, "2026 26"},
        // Values the string table has no name for give no name.
        {"[dddd][ddd]", 2026, 3, 5, 9, "[][]"},
        {"[mmmm]", 2026, 20, 5, 4, "[]"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, Format(c.pattern, c.year, c.month, c.day, c.weekday))
            << c.pattern << " " << c.year << "-" << c.month << "-" << c.day;
}

// However long the pattern's expansion, the text keeps to its capacity.
TEST(CalendarPattern, TextIsCutAtItsCapacity) {
    struct {
        const char* pattern;
        size_t capacity;
    } const cases[] = {
        {"dddd dddd dddd dddd", 40},
        {"mmmm mmmm mmmm mmmm", 40},
        {"yyyyyyyyyyyyyyyyyyyy", 40},
        {"\"0123456789012345678901234567890123456789\"", 40},
        {"\"0123456789012345678901234567890123456789", 40},
        {"dddd", 5},
        {"dd", 2},
        {"dd", 1},
    };
    for (const auto& c : cases) {
        const std::string full = Format(c.pattern, 2026, 9, 23, 3);
        const std::string cut = Format(c.pattern, 2026, 9, 23, 3, c.capacity);
        EXPECT_EQ(full.substr(0, c.capacity - 1), cut) << c.pattern << " in " << c.capacity;
    }
    EXPECT_EQ(39u, Format("dddd dddd dddd dddd", 2026, 9, 23, 3, 40).size());
}

class CalendarTextTest : public DisplayTest {
  protected:
    void SetUp() override {
        DisplayTest::SetUp();
        run->settings.displayType = kDisplayCalendar;
        run->settings.calendarColor = RGB(40, 50, 60);
        run->settings.digitalColor = RGB(1, 1, 1);
    }
};

// The built-in patterns give, for Thursday 17 August 1995, exactly the
// sample texts the module carries beside them.
TEST_F(CalendarTextTest, BuiltinPatternsMatchTheirSamples) {
    sim::SetClock(1995, 8, 17, 12, 0, 0, 0);
    run->settings.calendarFormat = 2;
    const char* const samples[] = {"17/08/95",        "17 August 1995", "17 August, 1995",
                                   "August 17, 1995", "17-Aug-95",      "August, 95",
                                   "Aug-95"};
    for (int16_t pattern = 0; pattern < 7; ++pattern) {
        char sample[40] = "";
        LoadStringA(nullptr, 20300 + static_cast<unsigned>(pattern), sample, sizeof sample);
        EXPECT_STREQ(samples[pattern], sample);
        run->settings.calendarPattern = pattern;
        EXPECT_EQ(sample, DrawOnce()) << "pattern " << pattern;
    }
}

TEST_F(CalendarTextTest, PatternBySource) {
    struct {
        int16_t format, pattern;
        const char* shortDate; // nullptr: key absent
        const char* longDate;
        const char* expected;
    } const cases[] = {
        {0, 0, nullptr, nullptr, "05/03/26"},
        {1, 0, nullptr, nullptr, "05/03/26"},
        {0, 0, "M/d/yy", "dddd, MMMM dd, yyyy", " 3/ 5/26"},
        {1, 0, "M/d/yy", "dddd, MMMM dd, yyyy", "Thursday, March 05, 2026"},
        {0, 0, "", nullptr, ""},
        {2, 3, "M/d/yy", "dddd", "March  5, 2026"},
        {2, 6, nullptr, nullptr, "Mar-26"},
        // A pattern number without a pattern shows an empty line.
        {2, 7, nullptr, nullptr, ""},
        {2, -1, nullptr, nullptr, ""},
        {2, 100, nullptr, nullptr, ""},
    };
    for (const auto& c : cases) {
        sim::RemoveProfileString("Intl", "sShortDate");
        sim::RemoveProfileString("Intl", "sLongDate");
        if (c.shortDate) sim::SetProfileString("Intl", "sShortDate", c.shortDate);
        if (c.longDate) sim::SetProfileString("Intl", "sLongDate", c.longDate);
        run->settings.calendarFormat = c.format;
        run->settings.calendarPattern = c.pattern;
        EXPECT_EQ(c.expected, DrawOnce()) << "format " << c.format << " pattern " << c.pattern;
    }
}

// A long profile pattern reaches the expander cut to 39 characters, and its
// text is cut to 39 characters again.
TEST_F(CalendarTextTest, LongProfilePatternStaysBounded) {
    struct {
        const char* pattern;
        const char* expected;
    } const cases[] = {
        // The closing quote is cut away, so the literal runs to the end.
        {"\"0123456789012345678901234567890123456789ABCDEF\"",
         "01234567890123456789012345678901234567"},
        {"dddd mmmm dddd mmmm dddd mmmm dddd mmmm", "Thursday March Thursday March Thursday "},
        {"0123456789012345678901234567890123456dd", "012345678901234567890123456789012345605"},
        {"01234567890123456789012345678901234567dd", "01234567890123456789012345678901234567 "},
    };
    run->settings.calendarFormat = 1;
    for (const auto& c : cases) {
        sim::SetProfileString("Intl", "sLongDate", c.pattern);
        EXPECT_EQ(c.expected, DrawOnce()) << c.pattern;
    }
}

TEST_F(CalendarTextTest, DrawnInCalendarColourWithoutFrame) {
    run->header.x = 10;
    run->header.y = 20;
    run->header.width = 150;
    run->header.height = 18;
    run->settings.border = 1;
    run->settings.calendarFormat = 2;
    DrawOnce();
    auto text = sim::CallsNamed("HostDrawText");
    ASSERT_EQ(1u, text.size());
    EXPECT_EQ((std::vector<int64_t>{10, 20, 160, 38, RGB(40, 50, 60), 0x25}), Args(text[0], 2));
    EXPECT_TRUE(sim::CallsNamed("HostDrawFrame").empty());
    EXPECT_TRUE(sim::CallsNamed("HostSetPen").empty());
    ExpectNothingLeftOver();

    sim::FailGdiFont(true);
    EXPECT_EQ("<none>", DrawOnce());
    ExpectNothingLeftOver();
}

} // namespace
