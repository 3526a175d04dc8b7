#include <gtest/gtest.h>

#include <cstring>

#include "contract/entry_points.h"
#include "core/module_instance.h"
#include "module/registration.h"
#include "simulated_machine/sim_machine.h"

TEST(Registration, FillsEveryFieldButTheHostsOwn) {
    RegistrationRecord record;
    std::memset(&record, 0xFF, sizeof record);
    EXPECT_EQ(1, GetRunObjectInfos(0, &record));
    EXPECT_EQ(static_cast<const void*>(ConditionTable), record.conditionTable);
    EXPECT_EQ(static_cast<const void*>(ActionTable), record.actionTable);
    EXPECT_EQ(static_cast<const void*>(ExpressionTable), record.expressionTable);
    EXPECT_EQ(9, record.conditionCount);
    EXPECT_EQ(21, record.actionCount);
    EXPECT_EQ(22, record.expressionCount);
    EXPECT_EQ(448, record.editDataSize);
    EXPECT_EQ(0x1214, record.objectFlags);
    EXPECT_EQ(0xFFFF, record.hostField) << "the host's field must be left alone";
    EXPECT_EQ(101, record.hostParameter);
    const uint8_t expected[4] = {0x30, 0x4B, 0x4C, 0x43};
    EXPECT_EQ(0, std::memcmp(expected, record.identifier, 4));
    EXPECT_EQ(0, record.extraWord);
}

TEST(Registration, TablesEndWithOneNullEntry) {
    for (int i = 0; i < kConditionCount; ++i)
        EXPECT_NE(nullptr, ConditionTable[i]) << i;
    for (int i = 0; i < kActionCount; ++i)
        EXPECT_NE(nullptr, ActionTable[i]) << i;
    for (int i = 0; i < kExpressionCount; ++i)
        EXPECT_NE(nullptr, ExpressionTable[i]) << i;
    EXPECT_EQ(nullptr, ConditionTable[9]);
    EXPECT_EQ(nullptr, ActionTable[21]);
    EXPECT_EQ(nullptr, ExpressionTable[22]);
}

TEST(EditorEntryPoints, AnswerTheirFixedValues) {
    struct {
        EditorArg arg;
        uint32_t expected;
    } const cases[] = {{0, 512}, {1, 0}, {2, 0}, {0xFFFFFFFFu, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, GetInfos(c.arg)) << "GetInfos(" << c.arg << ")";
    EXPECT_EQ(-1, GetConditionCodeFromMenu(0, 0));
    EXPECT_EQ(-1, GetActionCodeFromMenu(7, 12345));
    EXPECT_EQ(-1, GetExpressionCodeFromMenu(~EditorArg{0}, 3));
    EXPECT_EQ(1, GetImageInfosRunObject(0));
    EXPECT_EQ(744, GetRunObjectDataSize(0, 0));
}

TEST(EditorEntryPoints, PutObjectWritesExactlyTwoZeroBytes) {
    alignas(2) uint8_t buffer[6];
    std::memset(buffer, 0xAB, sizeof buffer);
    PutObject(0, reinterpret_cast<int16_t*>(buffer + 2), 0, 0);
    const uint8_t expected[6] = {0xAB, 0xAB, 0, 0, 0xAB, 0xAB};
    EXPECT_EQ(0, std::memcmp(expected, buffer, sizeof buffer));
}

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved);

TEST(LibraryEntry, KeepsTheInstanceAndStopsThreadCallsAtProcessAttachOnly) {
    const HINSTANCE kLoaded = reinterpret_cast<HINSTANCE>(uintptr_t{0x6A000000});
    const HINSTANCE kSentinel = reinterpret_cast<HINSTANCE>(uintptr_t{0x5EE0});
    const struct {
        DWORD reason;
        HINSTANCE instanceAfter;
        size_t threadCallsOff;
    } cases[] = {
        {DLL_PROCESS_ATTACH, kLoaded, 1},
        {DLL_THREAD_ATTACH, kSentinel, 0},
        {DLL_THREAD_DETACH, kSentinel, 0},
        {DLL_PROCESS_DETACH, kSentinel, 0},
    };
    const HINSTANCE saved = g_moduleInstance;
    for (const auto& c : cases) {
        sim::Reset();
        g_moduleInstance = kSentinel;
        EXPECT_EQ(TRUE, DllMain(kLoaded, c.reason, nullptr)) << "reason " << c.reason;
        EXPECT_EQ(c.instanceAfter, g_moduleInstance) << "reason " << c.reason;
        std::vector<sim::Call> off = sim::CallsNamed("DisableThreadLibraryCalls");
        ASSERT_EQ(c.threadCallsOff, off.size()) << "reason " << c.reason;
        if (!off.empty()) {
            EXPECT_EQ(static_cast<int64_t>(0x6A000000), off[0].args[0])
                << "DisableThreadLibraryCalls must get the module's own handle";
        }
    }
    g_moduleInstance = saved;
}
