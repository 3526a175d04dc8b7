// The DLL's export directory and HOSTRUN imports, read from the loaded image,
// and the stack clean-up of every export.
#include "tests/wine/export_table.h"
#include "tests/wine/stack_probe.h"
#include "tests/wine/wine_fixture.h"

#include <cstdlib>
#include <map>
#include <set>
#include <string>

namespace {

template <typename T> const T* At(HMODULE module, DWORD rva) {
    return reinterpret_cast<const T*>(reinterpret_cast<const BYTE*>(module) + rva);
}

const IMAGE_DATA_DIRECTORY& Directory(HMODULE module, int which) {
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(module);
    const auto* nt = At<IMAGE_NT_HEADERS>(module, static_cast<DWORD>(dos->e_lfanew));
    return nt->OptionalHeader.DataDirectory[which];
}

TEST(Exports, NamesAndOrdinalsAreExactlyTheTable) {
    const HMODULE dll = wine::Chronyx();
    const IMAGE_DATA_DIRECTORY& dir = Directory(dll, IMAGE_DIRECTORY_ENTRY_EXPORT);
    ASSERT_NE(0u, dir.VirtualAddress);
    const auto* exports = At<IMAGE_EXPORT_DIRECTORY>(dll, dir.VirtualAddress);
    EXPECT_STREQ("CHRONYX.dll", At<char>(dll, exports->Name));

    const DWORD* functions = At<DWORD>(dll, exports->AddressOfFunctions);
    const DWORD* names = At<DWORD>(dll, exports->AddressOfNames);
    const WORD* nameOrdinals = At<WORD>(dll, exports->AddressOfNameOrdinals);
    std::map<std::string, int> found;
    for (DWORD i = 0; i < exports->NumberOfNames; ++i)
        found[At<char>(dll, names[i])] = static_cast<int>(exports->Base + nameOrdinals[i]);
    std::set<int> withAddress;
    for (DWORD i = 0; i < exports->NumberOfFunctions; ++i)
        if (functions[i]) withAddress.insert(static_cast<int>(exports->Base + i));

    std::map<std::string, int> expected;
    std::set<int> expectedOrdinals;
    for (const wine::ExportEntry& e : wine::kExports) {
        expected[e.name] = e.ordinal;
        expectedOrdinals.insert(e.ordinal);
    }
    EXPECT_EQ(52u, expected.size());
    for (const auto& [name, ordinal] : expected) {
        auto it = found.find(name);
        if (it == found.end())
            ADD_FAILURE() << name << " is not exported";
        else
            EXPECT_EQ(ordinal, it->second) << name;
    }
    for (const auto& [name, ordinal] : found)
        EXPECT_TRUE(expected.count(name)) << "extra export " << name << " @" << ordinal;
    EXPECT_EQ(expectedOrdinals, withAddress) << "every ordinal with an address, named or not";
}

TEST(Exports, ResolveByOrdinalToTheNamedEntry) {
    for (const wine::ExportEntry& e : wine::kExports) {
        FARPROC byOrdinal = wine::ExportByOrdinal(e.ordinal);
        EXPECT_NE(nullptr, byOrdinal) << e.name;
        EXPECT_EQ(byOrdinal, GetProcAddress(wine::Chronyx(), e.name)) << e.name;
    }
}

TEST(Exports, HostrunIsImportedByOrdinalOnly) {
    const HMODULE dll = wine::Chronyx();
    const IMAGE_DATA_DIRECTORY& dir = Directory(dll, IMAGE_DIRECTORY_ENTRY_IMPORT);
    ASSERT_NE(0u, dir.VirtualAddress);
    const std::set<int> operations = {98, 60, 54, 65, 50, 143, 177, 66, 169, 67, 170, 56};
    std::set<int> imported;
    for (const auto* desc = At<IMAGE_IMPORT_DESCRIPTOR>(dll, dir.VirtualAddress); desc->Name;
         ++desc) {
        if (lstrcmpiA(At<char>(dll, desc->Name), "HOSTRUN.dll") != 0) continue;
        for (const auto* thunk = At<IMAGE_THUNK_DATA>(dll, desc->OriginalFirstThunk);
             thunk->u1.AddressOfData; ++thunk) {
            ASSERT_TRUE(IMAGE_SNAP_BY_ORDINAL(thunk->u1.Ordinal)) << "an import by name";
            imported.insert(static_cast<int>(IMAGE_ORDINAL(thunk->u1.Ordinal)));
        }
    }
    EXPECT_EQ(operations, imported) << "the module uses every host operation, by ordinal";
}

// Every entry point, called with arguments it can live with, must remove
// exactly its own arguments from the stack.
class StackCleanUp : public wine::WineHost {};

TEST_F(StackCleanUp, EditorEntryPointsRemoveFourBytesPerArgument) {
    alignas(8) static uint8_t scratch[4096];
    const uint32_t pointer = reinterpret_cast<uint32_t>(scratch);
    for (const wine::ExportEntry& e : wine::kExports) {
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
