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

} // namespace
