// The fixed answers of the entry points the host's editor would use, and the
// registration record, on the real DLL.
#include "tests/wine/wine_fixture.h"

#include <cstring>

namespace {

TEST(EditorEntryPoints, GetInfosAnswers512OnlyForZero) {
    const struct {
        EditorArg arg;
        uint32_t expected;
    } cases[] = {{0, 512}, {1, 0}, {2, 0}, {512, 0}, {0x80000000u, 0}, {0xFFFFFFFFu, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, wine::Api().GetInfos(c.arg)) << "GetInfos(" << c.arg << ")";
}

TEST(EditorEntryPoints, MenuCodeEntryPointsAnswerMinusOne) {
    const EditorArg args[][2] = {{0, 0}, {1, 2}, {0xFFFFFFFFu, 0}, {0, 0x7FFFFFFF}, {12345, 999}};
    const wine::EntryPoints& api = wine::Api();
    for (const auto& a : args) {
        EXPECT_EQ(-1, api.GetConditionCodeFromMenu(a[0], a[1])) << a[0] << "," << a[1];
        EXPECT_EQ(-1, api.GetActionCodeFromMenu(a[0], a[1])) << a[0] << "," << a[1];
        EXPECT_EQ(-1, api.GetExpressionCodeFromMenu(a[0], a[1])) << a[0] << "," << a[1];
    }
}

TEST(EditorEntryPoints, PutObjectWritesExactlyTwoZeroBytes) {
    alignas(4) uint8_t buffer[16];
    std::memset(buffer, 0xA5, sizeof buffer);
    wine::Api().PutObject(0x11111111u, reinterpret_cast<int16_t*>(buffer + 6), 0x22222222u,
                          0x33333333u);
    for (size_t i = 0; i < sizeof buffer; ++i) {
        const uint8_t expected = (i == 6 || i == 7) ? 0x00 : 0xA5;
        EXPECT_EQ(expected, buffer[i]) << "byte " << i;
    }
}

TEST(EditorEntryPoints, FixedSizesAndImageInfos) {
    EXPECT_EQ(744, wine::Api().GetRunObjectDataSize(0, 0));
    EXPECT_EQ(744, wine::Api().GetRunObjectDataSize(0xFFFFFFFFu, 7));
    EXPECT_EQ(1, wine::Api().GetImageInfosRunObject(0));
}

TEST(Registration, RecordByteForByte) {
    uint8_t bytes[sizeof(RegistrationRecord) + 8];
    std::memset(bytes, 0xEE, sizeof bytes);
    auto* record = reinterpret_cast<RegistrationRecord*>(bytes);
    EXPECT_EQ(1, wine::Api().GetRunObjectInfos(0, record));

    const wine::RoutineTables tables = wine::Tables();
    uint8_t expected[sizeof bytes];
    std::memset(expected, 0xEE, sizeof expected);
    const uintptr_t addresses[3] = {reinterpret_cast<uintptr_t>(tables.conditions),
                                    reinterpret_cast<uintptr_t>(tables.actions),
                                    reinterpret_cast<uintptr_t>(tables.expressions)};
    std::memcpy(expected, addresses, sizeof addresses);
    const uint8_t fixed[] = {
        9,    0,                // conditionCount
        21,   0,                // actionCount
        22,   0,                // expressionCount
        0xC0, 0x01,             // editDataSize 448
        0x14, 0x12,             // objectFlags 0x1214
        0xEE, 0xEE,             // the host's field, untouched
        101,  0,                // hostParameter
        0x30, 0x4B, 0x4C, 0x43, // identifier
        0,    0,                // extraWord
    };
    std::memcpy(expected + offsetof(RegistrationRecord, conditionCount), fixed, sizeof fixed);
    for (size_t i = 0; i < sizeof bytes; ++i)
        EXPECT_EQ(expected[i], bytes[i]) << "byte " << i;
}

TEST(Registration, TablesLieInTheModuleAndEndWithNull) {
    const wine::RoutineTables tables = wine::Tables();
    const HMODULE dll = wine::Chronyx();
    MEMORY_BASIC_INFORMATION info;
    const struct {
        const char* name;
        const void* const* table;
        int count;
    } cases[] = {
        {"conditions", reinterpret_cast<const void* const*>(tables.conditions), 9},
        {"actions", reinterpret_cast<const void* const*>(tables.actions), 21},
        {"expressions", reinterpret_cast<const void* const*>(tables.expressions), 22},
    };
    for (const auto& c : cases) {
        ASSERT_NE(nullptr, c.table) << c.name;
        ASSERT_NE(0u, VirtualQuery(c.table, &info, sizeof info)) << c.name;
        EXPECT_EQ(reinterpret_cast<void*>(dll), info.AllocationBase) << c.name;
        for (int i = 0; i < c.count; ++i) {
            ASSERT_NE(0u, VirtualQuery(c.table[i], &info, sizeof info)) << c.name << " " << i;
            EXPECT_EQ(reinterpret_cast<void*>(dll), info.AllocationBase) << c.name << " " << i;
        }
        EXPECT_EQ(nullptr, c.table[c.count]) << c.name << ": no null entry after the last";
    }
}

} // namespace
