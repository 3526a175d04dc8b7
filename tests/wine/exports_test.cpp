// The DLL's export directory and HOSTRUN imports, read from the loaded image.
#include "tests/wine/wine_fixture.h"

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
    for (const EntryPointName& e : kEntryPoints) {
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
    for (const EntryPointName& e : kEntryPoints) {
        FARPROC byOrdinal = wine::ExportByOrdinal(e.ordinal);
        EXPECT_NE(nullptr, byOrdinal) << e.name;
        EXPECT_EQ(byOrdinal, GetProcAddress(wine::Chronyx(), e.name)) << e.name;
    }
}

TEST(Exports, HostrunIsImportedByOrdinalOnly) {
    const HMODULE dll = wine::Chronyx();
    const IMAGE_DATA_DIRECTORY& dir = Directory(dll, IMAGE_DIRECTORY_ENTRY_IMPORT);
    ASSERT_NE(0u, dir.VirtualAddress);
    std::set<int> operations;
    for (const HostOperationName& op : kHostOperations)
        operations.insert(op.ordinal);
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

} // namespace
