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

int ArgumentsOf(uint16_t ordinal) {
    for (const EntryPointName& e : kEntryPoints)
        if (e.ordinal == ordinal) return e.arguments;
    return -1;
}

TEST_F(StackCleanUp, EditorEntryPointsRemoveFourBytesPerArgument) {
    alignas(8) static uint8_t scratch[4096];
    const uint32_t pointer = reinterpret_cast<uint32_t>(scratch);
    for (const EntryPointName& e : kEntryPoints) {
        if (e.ordinal >= ordinals::kCreateRunObject && e.ordinal <= ordinals::kGetRunObjectInfos)
            continue; // run-time: below
        if (e.ordinal >= ordinals::kGetImageInfosRunObject) continue;
        uint32_t args[8];
        for (uint32_t& a : args)
            a = pointer;
        if (e.ordinal == ordinals::kGetInfos) args[0] = 0;
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
    // In the order a host calls them: the object's whole life. The argument
    // counts are the list's; the image's decorated names were linked to them.
    const struct {
        uint16_t ordinal;
        uint32_t args[3];
    } calls[] = {
        {ordinals::kGetRunObjectInfos, {0, reinterpret_cast<uint32_t>(&record)}},
        {ordinals::kGetRunObjectDataSize, {0, 0}},
        {ordinals::kCreateRunObject,
         {r, reinterpret_cast<uint32_t>(&edit), reinterpret_cast<uint32_t>(&creation)}},
        {ordinals::kHandleRunObject, {r}},
        {ordinals::kDisplayRunObject, {r}},
        {ordinals::kReInitRunObject, {r}},
        {ordinals::kPauseRunObject, {r}},
        {ordinals::kContinueRunObject, {r}},
        {ordinals::kGetImageInfosRunObject, {0}},
        {ordinals::kDestroyRunObject, {r, 0}},
    };
    for (const auto& c : calls) {
        const int count = ArgumentsOf(c.ordinal);
        uint32_t result = 0;
        EXPECT_EQ(4 * count,
                  StackBytesRemoved(reinterpret_cast<const void*>(wine::ExportByOrdinal(c.ordinal)),
                                    c.args, count, &result))
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
    for (int i = 0; i < kConditionCount; ++i)
        EXPECT_EQ(12, StackBytesRemoved(reinterpret_cast<const void*>(tables.conditions[i]), args,
                                        3, &result))
            << "condition " << i;
    for (int i = 0; i < kExpressionCount; ++i)
        EXPECT_EQ(8, StackBytesRemoved(reinterpret_cast<const void*>(tables.expressions[i]), args,
                                       2, &result))
            << "expression " << i;
    // The clock the actions may set is the simulated one.
    for (int i = 0; i < kActionCount; ++i)
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
