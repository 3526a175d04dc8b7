// The stack clean-up of every export and routine: the 32-bit contract is the
// standard call, each callee removing its own arguments. x64 has one calling
// convention, in which the caller cleans up, so these hold on 32-bit only.
#include "tests/wine/wine_fixture.h"
#include "tests/wine/x86/stack_probe.h"

#include <cstdlib>

namespace {

// Every entry point, called with arguments it can live with, must remove
// exactly its own arguments from the stack.
class StackCleanUp : public wine::WineHost {};

TEST_F(StackCleanUp, EditorEntryPointsRemoveFourBytesPerArgument) {
    alignas(8) static uint8_t scratch[4096];
    const uint32_t pointer = reinterpret_cast<uint32_t>(scratch);
    for (const EntryPointName& e : kEntryPoints) {
        if (e.ordinal >= 50 && e.ordinal <= 59) continue; // run-time: below
        if (e.ordinal >= 79) continue;
        uint32_t args[8];
        for (uint32_t& a : args)
            a = pointer;
        if (e.ordinal == 2) args[0] = 0; // GetInfos
        uint32_t result = 0;
        EXPECT_EQ(4 * e.arguments,
                  StackBytesRemoved(reinterpret_cast<const void*>(wine::ExportByOrdinal(e.ordinal)),
                                    args, e.arguments, &result))
            << e.name;
    }
}

TEST_F(StackCleanUp, RunTimeEntryPointsRemoveFourBytesPerArgument) {
    RunData* run = static_cast<RunData*>(std::calloc(1, sizeof(RunData)));
    ASSERT_NE(nullptr, run);
    run->header.runHeader = &runHeader;
    const EditData edit = wine::MakeEditData(kDisplayDigital);
    CreationRecord creation = {};
    RegistrationRecord record = {};
    const uint32_t r = reinterpret_cast<uint32_t>(run);
    // In the order a host calls them: the object's whole life.
    const struct {
        uint16_t ordinal;
        int count;
        uint32_t args[3];
    } calls[] = {
        {59, 2, {0, reinterpret_cast<uint32_t>(&record)}},
        {80, 2, {0, 0}},
        {50, 3, {r, reinterpret_cast<uint32_t>(&edit), reinterpret_cast<uint32_t>(&creation)}},
        {52, 1, {r}},
        {53, 1, {r}},
        {56, 1, {r}},
        {57, 1, {r}},
        {58, 1, {r}},
        {79, 1, {0}},
        {51, 2, {r, 0}},
    };
    for (const auto& c : calls) {
        uint32_t result = 0;
        EXPECT_EQ(4 * c.count,
                  StackBytesRemoved(reinterpret_cast<const void*>(wine::ExportByOrdinal(c.ordinal)),
                                    c.args, c.count, &result))
            << "ordinal " << c.ordinal;
    }
    std::free(run);
}

TEST_F(StackCleanUp, RoutinesRemoveFourBytesPerArgument) {
    // Conditions and actions take (run data, p1, p2); expressions (run data, p).
    RunData* run = CreateObject(wine::MakeEditData(kDisplayInvisible));
    ASSERT_NE(nullptr, run);
    const wine::RoutineTables tables = wine::Tables();
    const uint32_t r = reinterpret_cast<uint32_t>(run);
    const uint32_t args[3] = {r, 0, 0};
    uint32_t result = 0;
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(12, StackBytesRemoved(reinterpret_cast<const void*>(tables.conditions[i]), args,
                                        3, &result))
            << "condition " << i;
    for (int i = 0; i < 22; ++i)
        EXPECT_EQ(8, StackBytesRemoved(reinterpret_cast<const void*>(tables.expressions[i]), args,
                                       2, &result))
            << "expression " << i;
    // The clock the actions may set is the simulated one.
    for (int i = 0; i < 21; ++i)
        EXPECT_EQ(12, StackBytesRemoved(reinterpret_cast<const void*>(tables.actions[i]), args, 3,
                                        &result))
            << "action " << i;
    DestroyObject(run);
}

} // namespace

namespace {

int32_t __cdecl CallerCleans(int32_t a, int32_t b) {
    return a + b;
}
int32_t WINAPI CalleeCleans(int32_t a, int32_t b, int32_t c) {
    return a + b + c;
}

// The probe itself must tell the two conventions apart.
TEST(StackProbe, MeasuresWhatTheCalleeRemoves) {
    const uint32_t args[3] = {1, 2, 3};
    uint32_t result = 0;
    EXPECT_EQ(0, StackBytesRemoved(reinterpret_cast<const void*>(&CallerCleans), args, 2, &result));
    EXPECT_EQ(3u, result);
    EXPECT_EQ(12,
              StackBytesRemoved(reinterpret_cast<const void*>(&CalleeCleans), args, 3, &result));
    EXPECT_EQ(6u, result);
}

} // namespace
