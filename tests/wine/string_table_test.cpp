// The compiled string table read back with LoadStringA from the DLL itself.
#include "tests/wine/wine_fixture.h"

#include <cstring>
#include <string>

#include "fixtures/string_table.h"

namespace {

using fixture::StringEntry;

TEST(StringTable, EveryListedStringLoadsWhole) {
    for (const StringEntry& e : fixture::kStringTable) {
        char buffer[1100];
        std::memset(buffer, 0x5A, sizeof buffer);
        const int length = LoadStringA(wine::Chronyx(), e.id, buffer, sizeof buffer);
        EXPECT_EQ(static_cast<int>(std::strlen(e.text)), length) << "string " << e.id;
        EXPECT_STREQ(e.text, buffer) << "string " << e.id;
    }
}

TEST(StringTable, TextsTheHostAndTheDisplayRelyOn) {
    // Characters the resource compiler treats specially: '&', '%', commas.
    const StringEntry cases[] = {
        {2, "Date & Time"},        {64, " %s : Clock"},   {128, "Date & Time object"},
        {20200, "Analog"},         {20203, "1, 2, 3..."}, {20210, "January"},
        {20221, "December"},       {20222, "Sunday"},     {20228, "Saturday"},
        {20301, "17 August 1995"}, {20400, "dd/mm/yy"},
    };
    for (const StringEntry& e : cases) {
        char buffer[64] = {};
        LoadStringA(wine::Chronyx(), e.id, buffer, sizeof buffer);
        EXPECT_STREQ(e.text, buffer) << "string " << e.id;
    }
}

TEST(StringTable, CutToTheBufferAsWindowsDoes) {
    const struct {
        int size;
        int length;
        const char* text;
    } cases[] = {{8, 7, "January"}, {5, 4, "Janu"}, {2, 1, "J"}, {1, 0, ""}};
    for (const auto& c : cases) {
        char buffer[16];
        std::memset(buffer, 0x5A, sizeof buffer);
        EXPECT_EQ(c.length, LoadStringA(wine::Chronyx(), 20210, buffer, c.size)) << c.size;
        EXPECT_STREQ(c.text, buffer) << c.size;
        EXPECT_EQ(0x5A, static_cast<uint8_t>(buffer[c.size]))
            << "byte after a buffer of " << c.size;
    }
}

TEST(StringTable, UnknownIdLoadsNothing) {
    for (UINT id : {1u, 3u, 131u, 20229u, 20307u, 20407u}) {
        char buffer[16] = "untouched";
        EXPECT_EQ(0, LoadStringA(wine::Chronyx(), id, buffer, sizeof buffer)) << id;
    }
}

} // namespace
