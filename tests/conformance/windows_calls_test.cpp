// The Windows calls the simulated machine stands in for, each with the
// arguments the module gives them and at the edges of its buffers. The same
// table runs natively against the simulated machine and under Wine against
// the real calls, so that the native suite's Windows cannot quietly differ
// from Windows. Buffers start filled with a pattern, to show what a call
// touched.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tests/conformance/conformance_machine.h"

namespace {

constexpr char kFill = '\x5A';

// Up to the first NUL, and whether the bytes after it up to `size` were left.
struct Written {
    std::string text;
    int untouchedAfter; // pattern bytes after the NUL, up to the buffer's end
};

Written Read(const char* buffer, size_t size) {
    Written w{std::string(buffer, strnlen(buffer, size)), 0};
    for (size_t i = w.text.size() + 1; i < size && buffer[i] == kFill; ++i)
        ++w.untouchedAfter;
    return w;
}

TEST(Conformance, WsprintfWithTheModulesFormats) {
    const struct {
        const char* format;
        unsigned a, b, c;
        const char* expected;
    } cases[] = {
        {"%02u:%02u", 9, 5, 0, "09:05"},
        {"%02u:%02u", 123, 0, 0, "123:00"},
        {"%02u:%02u:%02u", 0, 0, 0, "00:00:00"},
        {"%02u:%02u:%02u", 65535, 59, 59, "65535:59:59"},
        {"%u", 0, 0, 0, "0"},
        {"%u", 12, 0, 0, "12"},
        {"%u", 4294967295u, 0, 0, "4294967295"},
        {"%2u", 5, 0, 0, " 5"},
        {"%2u", 31, 0, 0, "31"},
        {"%2u", 100, 0, 0, "100"},
        {"%02u", 7, 0, 0, "07"},
        {"%02u", 0, 0, 0, "00"},
        {"%04u", 7, 0, 0, "0007"},
        {"%04u", 2026, 0, 0, "2026"},
        {"%04u", 30827, 0, 0, "30827"},
    };
    for (const auto& c : cases) {
        char buffer[64];
        std::memset(buffer, kFill, sizeof buffer);
        const int n = wsprintfA(buffer, c.format, c.a, c.b, c.c);
        const Written w = Read(buffer, sizeof buffer);
        EXPECT_EQ(std::string(c.expected), w.text) << c.format << " of " << c.a;
        EXPECT_EQ(static_cast<int>(std::strlen(c.expected)), n) << c.format << " of " << c.a;
        EXPECT_EQ(static_cast<int>(sizeof buffer - w.text.size() - 1), w.untouchedAfter)
            << c.format << ": only the text and its NUL are written";
    }
}

// "January" is string 20210, "December" 20221.
TEST(Conformance, LoadStringAtTheEdgesOfItsBuffer) {
    const struct {
        UINT id;
        int size;
        int result;
        const char* text;
    } cases[] = {
        {20210, 64, 7, "January"}, {20210, 8, 7, "January"}, {20210, 7, 6, "Januar"},
        {20210, 2, 1, "J"},        {20210, 1, 0, ""},        {20221, 9, 8, "December"},
        {19999, 64, 0, ""}, // no such string: an empty text
    };
    for (const auto& c : cases) {
        char buffer[64];
        std::memset(buffer, kFill, sizeof buffer);
        const int n = LoadStringA(conformance::StringModule(), c.id, buffer, c.size);
        EXPECT_EQ(c.result, n) << "string " << c.id << " into " << c.size;
        const Written w = Read(buffer, sizeof buffer);
        EXPECT_EQ(std::string(c.text), w.text) << "string " << c.id << " into " << c.size;
        EXPECT_EQ(static_cast<int>(sizeof buffer - w.text.size() - 1), w.untouchedAfter)
            << "string " << c.id << " into " << c.size << ": nothing after its NUL";
    }
}

TEST(Conformance, ProfileStringsWithMissingKeysAndShortBuffers) {
    conformance::SetIntl("sChxConformance", "P.M. hours");
    conformance::SetIntl("sChxMissing", nullptr);
    const struct {
        const char* key;
        const char* fallback;
        DWORD size;
        DWORD result;
        const char* text;
    } cases[] = {
        {"sChxConformance", "x", 40, 10, "P.M. hours"},
        {"sChxConformance", "x", 11, 10, "P.M. hours"},
        {"sChxConformance", "x", 10, 9, "P.M. hour"},
        {"sChxConformance", "x", 2, 1, "P"},
        {"sChxMissing", "A.M.", 40, 4, "A.M."},
        {"sChxMissing", "A.M.", 3, 2, "A."},
        {"sChxMissing", "", 40, 0, ""},
    };
    for (const auto& c : cases) {
        char buffer[64];
        std::memset(buffer, kFill, sizeof buffer);
        const DWORD n = GetProfileStringA("Intl", c.key, c.fallback, buffer, c.size);
        EXPECT_EQ(c.result, n) << c.key << " into " << c.size;
        const Written w = Read(buffer, sizeof buffer);
        EXPECT_EQ(std::string(c.text), w.text) << c.key << " into " << c.size;
        EXPECT_EQ(static_cast<int>(sizeof buffer - w.text.size() - 1), w.untouchedAfter)
            << c.key << " into " << c.size << ": nothing after its NUL";
    }
    conformance::SetIntl("sChxConformance", nullptr);
}

// Only refusals are tried: a date the clock accepts would set the computer's
// clock under Wine. The weekday given does not save an impossible date.
TEST(Conformance, SetLocalTimeRefusesImpossibleMoments) {
    const struct {
        const char* what;
        SYSTEMTIME t;
    } cases[] = {
        {"29 February 2026", {2026, 2, 0, 29, 12, 0, 0, 0}},
        {"29 February 2100", {2100, 2, 1, 29, 12, 0, 0, 0}},
        {"31 April", {2026, 4, 4, 31, 12, 0, 0, 0}},
        {"day 0", {2026, 3, 0, 0, 12, 0, 0, 0}},
        {"month 13", {2026, 13, 0, 1, 12, 0, 0, 0}},
        {"month 0", {2026, 0, 0, 1, 12, 0, 0, 0}},
        {"year 1600", {1600, 1, 6, 1, 12, 0, 0, 0}},
        {"year 30828", {30828, 1, 0, 1, 12, 0, 0, 0}},
        {"hour 24", {2026, 3, 4, 5, 24, 0, 0, 0}},
        {"minute 60", {2026, 3, 4, 5, 10, 60, 0, 0}},
        {"second 60", {2026, 3, 4, 5, 10, 15, 60, 0}},
        {"millisecond 1000", {2026, 3, 4, 5, 10, 15, 42, 1000}},
    };
    for (const auto& c : cases) {
        SYSTEMTIME before, after;
        GetLocalTime(&before);
        EXPECT_FALSE(SetLocalTime(&c.t)) << c.what;
        GetLocalTime(&after);
        EXPECT_EQ(before.wYear, after.wYear) << c.what << ": the clock is kept";
        EXPECT_EQ(before.wMonth, after.wMonth) << c.what << ": the clock is kept";
        EXPECT_EQ(before.wDay, after.wDay) << c.what << ": the clock is kept";
        EXPECT_EQ(before.wHour, after.wHour) << c.what << ": the clock is kept";
    }
}

// What the counts of a draw's pens and fonts rest on: an object deleted while
// selected is kept, and the deletion answered TRUE, until it is selected out.
TEST(Conformance, DeletingASelectedPenWaitsForItsDeselection) {
    enum Do { kSelect, kSelectBack, kDelete };
    const struct {
        const char* what;
        Do step;
        bool answered; // a previous object, the pen itself, or TRUE
        bool liveAfter;
    } steps[] = {
        {"select the pen", kSelect, true, true},
        {"delete it while selected", kDelete, true, true},
        {"delete it again while selected", kDelete, true, true},
        {"select the previous pen back", kSelectBack, true, false},
        {"delete it once more", kDelete, false, false},
        {"select the deleted pen", kSelect, false, false},
    };
    HDC dc = HostGetSurfaceDC(conformance::Surface());
    HPEN pen = CreatePen(PS_SOLID, 2, RGB(1, 2, 3));
    HGDIOBJ previous = nullptr;
    for (const auto& s : steps) {
        bool answered = false;
        if (s.step == kSelect) {
            HGDIOBJ out = SelectObject(dc, pen);
            answered = out != nullptr;
            if (out) previous = out;
        } else if (s.step == kSelectBack) {
            answered = SelectObject(dc, previous) == pen;
        } else {
            answered = DeleteObject(pen) != FALSE;
        }
        EXPECT_EQ(s.answered, answered) << s.what;
        EXPECT_EQ(s.liveAfter, conformance::IsLive(pen)) << s.what << ": the pen's life";
    }
    HostReleaseSurfaceDC(conformance::Surface(), dc);
}

TEST(Conformance, DeleteObjectOfWhatIsNoMadeObject) {
    const struct {
        const char* what;
        HGDIOBJ object;
        BOOL answer;
        bool liveAfter;
    } cases[] = {
        {"the stock null brush", GetStockObject(NULL_BRUSH), TRUE, true},
        {"a null handle", nullptr, FALSE, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.answer, DeleteObject(c.object)) << c.what;
        EXPECT_EQ(c.liveAfter, conformance::IsLive(c.object)) << c.what;
    }
}

// A context the host never lent, or none at all, selects nothing and measures
// nothing, and leaves the size as it was.
TEST(Conformance, ContextsNotLentSelectAndMeasureNothing) {
    const struct {
        const char* what;
        HDC dc;
    } cases[] = {
        {"a null context", nullptr},
        {"a context never lent", conformance::NeverLentDC()},
    };
    for (const auto& c : cases) {
        HPEN pen = CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
        EXPECT_EQ(nullptr, SelectObject(c.dc, pen)) << c.what;
        SIZE size = {0x5A5A, 0x5A5A};
        EXPECT_FALSE(GetTextExtentPointA(c.dc, "12", 2, &size)) << c.what;
        EXPECT_EQ(0x5A5A, size.cx) << c.what << ": width untouched";
        EXPECT_EQ(0x5A5A, size.cy) << c.what << ": height untouched";
        EXPECT_TRUE(DeleteObject(pen)) << c.what << ": the pen was selected nowhere";
        EXPECT_FALSE(conformance::IsLive(pen)) << c.what;
    }
}

// The settings' colours reach CreatePen as stored, high byte and all.
TEST(Conformance, PensOfColoursWithTheHighByteSet) {
    const COLORREF colours[] = {0x01000005u, 0x02FF0000u, 0x10203040u, 0xFF000000u, 0xFFFFFFFFu};
    HDC dc = HostGetSurfaceDC(conformance::Surface());
    for (COLORREF colour : colours) {
        HPEN pen = CreatePen(PS_SOLID, 2, colour);
        ASSERT_NE(nullptr, pen) << std::hex << colour;
        HGDIOBJ previous = SelectObject(dc, pen);
        EXPECT_NE(nullptr, previous) << std::hex << colour;
        EXPECT_EQ(pen, SelectObject(dc, previous)) << std::hex << colour;
        EXPECT_TRUE(DeleteObject(pen)) << std::hex << colour;
        EXPECT_FALSE(conformance::IsLive(pen)) << std::hex << colour;
    }
    HostReleaseSurfaceDC(conformance::Surface(), dc);
}

} // namespace
