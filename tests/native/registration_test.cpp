#include <gtest/gtest.h>

#include <cstring>
#include <iterator>
#include <type_traits>

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

// Calls an entry point with a value in every argument, as a host that passes
// its own records would.
template <typename R, typename... P> int64_t AnswerOf(R(WINAPI* entry)(P...)) {
    return static_cast<int64_t>(entry(static_cast<P>(0x5A5A5A5A)...));
}

// Written out here, apart from the list the module's answers are made from, so
// that a change to an answer in the list fails.
TEST(EditorEntryPoints, EveryFixedAnswerIsTheHostsOwn) {
#define CHX_ROW(name, answer)                                                                      \
    { #name, AnswerOf(&name), answer }
    const struct {
        const char* name;
        int64_t got;
        int64_t expected;
    } cases[] = {
        CHX_ROW(LoadObject, 0),
        CHX_ROW(MakeIcon, 0),
        CHX_ROW(SelectPopup, 0),
        CHX_ROW(CreateObject, 0),
        CHX_ROW(ModifyObject, 0),
        CHX_ROW(RebuildExt, 0),
        CHX_ROW(GetObjectCursor, 0),
        CHX_ROW(IsTransparent, 0),
        CHX_ROW(GetConditionMenu, 0),
        CHX_ROW(GetActionMenu, 0),
        CHX_ROW(GetExpressionMenu, 0),
        CHX_ROW(GetConditionCodeFromMenu, -1),
        CHX_ROW(GetActionCodeFromMenu, -1),
        CHX_ROW(GetExpressionCodeFromMenu, -1),
        CHX_ROW(InitParameter, 0),
        CHX_ROW(EditParameter, 0),
        CHX_ROW(GetParameterString, 0),
        CHX_ROW(GetConditionInfos, 0),
        CHX_ROW(GetActionInfos, 0),
        CHX_ROW(GetExpressionInfos, 0),
        CHX_ROW(UpdateEditStructure, 0),
        CHX_ROW(GetImageInfosRunObject, 1),
        CHX_ROW(GetRunObjectDataSize, 744),
    };
#undef CHX_ROW
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, c.got) << c.name;

    int answering = 0;
#define CHX_FIXED_ENTRY(result, name, ordinal, arguments, answer)                                  \
    answering += std::is_void_v<result> ? 0 : 1;
#define CHX_OWN_ENTRY(result, name, ordinal, arguments, parameters)
#include "contract/entry_point_list.inc"
#undef CHX_FIXED_ENTRY
#undef CHX_OWN_ENTRY
    EXPECT_EQ(answering, static_cast<int>(std::size(cases)))
        << "fixed entry points with a result in the list; rows here";
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
