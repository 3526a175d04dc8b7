#include "host/chronyx_host/module_binding.h"

#include <cstring>
#include <vector>

namespace {

std::string EntryWhere(uint16_t ordinal) {
    for (const EntryPointName& entry : kEntryPoints)
        if (entry.ordinal == ordinal)
            return "entry point " + std::to_string(ordinal) + " (" + entry.name + ")";
    return "entry point " + std::to_string(ordinal);
}

// The entry point with this ordinal, typed as the caller says it is.
template <typename Function> Function Entry(const ModuleBinding& binding, uint16_t ordinal) {
    for (int i = 0; i < kEntryPointCount; ++i)
        if (kEntryPoints[i].ordinal == ordinal)
            return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(binding.entries[i]));
    return nullptr;
}

// The module must be built for the host's own machine: a 32-bit host loads the
// 32-bit product, a 64-bit host the x64 build.
#if defined(_WIN64)
constexpr uint32_t kHostMachine = 0x8664;
constexpr const char* kOtherWidth = "is a 32-bit module, not a 64-bit one";
constexpr const char* kOtherMachine = "is not an x64 module";
constexpr uint32_t kOtherWidthMachine = 0x014C;
#else
constexpr uint32_t kHostMachine = 0x014C;
constexpr const char* kOtherWidth = "is a 64-bit module, not a 32-bit one";
constexpr const char* kOtherMachine = "is not a 32-bit x86 module";
constexpr uint32_t kOtherWidthMachine = 0x8664;
#endif

// Looks at the file's headers before Windows runs any of its code: a file
// that is not a DLL for the host's machine is refused with a reason a person
// can act on.
bool CheckImage(const std::string& path, std::string* message) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        *message = "cannot be read (Windows error " + std::to_string(GetLastError()) + ")";
        return false;
    }
    std::vector<uint8_t> head(4096);
    DWORD got = 0;
    ReadFile(file, head.data(), static_cast<DWORD>(head.size()), &got, nullptr);
    CloseHandle(file);
    head.resize(got);
    auto u16 = [&](size_t at) { return static_cast<uint32_t>(head[at] | head[at + 1] << 8); };
    auto u32 = [&](size_t at) { return u16(at) | u16(at + 2) << 16; };
    if (head.size() < 64 || head[0] != 'M' || head[1] != 'Z') {
        *message = "is not a Windows module";
        return false;
    }
    uint32_t pe = u32(60);
    if (pe + 24 > head.size() || std::memcmp(&head[pe], "PE\0\0", 4) != 0) {
        *message = "is not a Windows module";
        return false;
    }
    uint32_t machine = u16(pe + 4);
    uint32_t characteristics = u16(pe + 22);
    if (machine != kHostMachine) {
        *message = machine == kOtherWidthMachine ? kOtherWidth : kOtherMachine;
        return false;
    }
    if (!(characteristics & 0x2000)) {
        *message = "is a program, not a library";
        return false;
    }
    return true;
}

bool Refuse(BindError* error, std::string where, std::string message) {
    *error = BindError{std::move(where), std::move(message)};
    return false;
}

template <typename Routine> bool CheckTable(const Routine* table, uint16_t count) {
    if (!table) return false;
    for (uint16_t i = 0; i < count; ++i)
        if (!table[i]) return false;
    return table[count] == nullptr;
}

std::string Answered(int64_t answer, int64_t expected) {
    return "answered " + std::to_string(answer) + ", expected " + std::to_string(expected);
}

// Every entry point by its ordinal, refused when the name exported beside it
// is another.
bool ResolveEntries(ModuleBinding* binding, BindError* error) {
    for (int i = 0; i < kEntryPointCount; ++i) {
        const EntryPointName& entry = kEntryPoints[i];
        FARPROC byOrdinal = GetProcAddress(binding->module, MAKEINTRESOURCEA(entry.ordinal));
        FARPROC byName = GetProcAddress(binding->module, entry.name);
        if (!byOrdinal) return Refuse(error, EntryWhere(entry.ordinal), "is missing");
        // A module that exports something else at the ordinal must not be called.
        if (byOrdinal != byName)
            return Refuse(error, EntryWhere(entry.ordinal),
                          std::string("is not exported under the name ") + entry.name);
        binding->entries[i] = byOrdinal;
    }
    return true;
}

// The registration record: its counts, identifier and edit data size as the
// contract has them, and routine tables without a gap.
bool CheckRegistration(ModuleBinding* binding, BindError* error) {
    auto getRunObjectInfos =
        Entry<decltype(&::GetRunObjectInfos)>(*binding, ordinals::kGetRunObjectInfos);
    RegistrationRecord& record = binding->registration;
    std::memset(&record, 0, sizeof(record));
    int16_t answer = getRunObjectInfos(0, &record);
    std::string where = EntryWhere(ordinals::kGetRunObjectInfos);
    if (answer != kGetRunObjectInfosAnswer)
        return Refuse(error, where, Answered(answer, kGetRunObjectInfosAnswer));
    if (record.conditionCount != kConditionCount || record.actionCount != kActionCount ||
        record.expressionCount != kExpressionCount)
        return Refuse(error, where,
                      "registers " + std::to_string(record.conditionCount) + " conditions, " +
                          std::to_string(record.actionCount) + " actions and " +
                          std::to_string(record.expressionCount) + " expressions, expected " +
                          std::to_string(kConditionCount) + ", " + std::to_string(kActionCount) +
                          " and " + std::to_string(kExpressionCount));
    if (std::memcmp(record.identifier, kObjectIdentifier, sizeof kObjectIdentifier) != 0)
        return Refuse(error, where, "registers an identifier other than CLK0");
    if (record.editDataSize != kEditDataSize)
        return Refuse(error, where,
                      "registers edit data of " + std::to_string(record.editDataSize) +
                          " bytes, expected " + std::to_string(kEditDataSize));
    binding->conditions = static_cast<const ConditionRoutine*>(record.conditionTable);
    binding->actions = static_cast<const ActionRoutine*>(record.actionTable);
    binding->expressions = static_cast<const ExpressionRoutine*>(record.expressionTable);
    if (!CheckTable(binding->conditions, record.conditionCount) ||
        !CheckTable(binding->actions, record.actionCount) ||
        !CheckTable(binding->expressions, record.expressionCount))
        return Refuse(error, where, "registers a routine table with an empty slot or no end");
    return true;
}

template <typename Function>
void Type(const ModuleBinding& binding, Function* entry, uint16_t ordinal) {
    *entry = Entry<Function>(binding, ordinal);
}

bool Check(ModuleBinding* binding, BindError* error) {
    if (!ResolveEntries(binding, error)) return false;
    auto getInfos = Entry<decltype(&::GetInfos)>(*binding, ordinals::kGetInfos);
    uint32_t infos = getInfos(0);
    if (infos != kGetInfosAnswer)
        return Refuse(error, EntryWhere(ordinals::kGetInfos), Answered(infos, kGetInfosAnswer));
    if (!CheckRegistration(binding, error)) return false;

    auto getRunObjectDataSize =
        Entry<decltype(&::GetRunObjectDataSize)>(*binding, ordinals::kGetRunObjectDataSize);
    int16_t size = getRunObjectDataSize(0, 0);
    if (size < static_cast<int16_t>(sizeof(ObjectHeader)))
        return Refuse(error, EntryWhere(ordinals::kGetRunObjectDataSize),
                      "answered " + std::to_string(size) +
                          ", too small to hold the host's object header of " +
                          std::to_string(sizeof(ObjectHeader)) + " bytes");
    binding->runDataSize = static_cast<uint32_t>(size);

    Type(*binding, &binding->CreateRunObject, ordinals::kCreateRunObject);
    Type(*binding, &binding->DestroyRunObject, ordinals::kDestroyRunObject);
    Type(*binding, &binding->HandleRunObject, ordinals::kHandleRunObject);
    Type(*binding, &binding->DisplayRunObject, ordinals::kDisplayRunObject);
    Type(*binding, &binding->PauseRunObject, ordinals::kPauseRunObject);
    Type(*binding, &binding->ContinueRunObject, ordinals::kContinueRunObject);
    return true;
}

} // namespace

bool BindModule(const std::string& path, ModuleBinding* binding, BindError* error) {
    *binding = ModuleBinding{};
    binding->path = path;
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return Refuse(error, "", "no such file");
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return Refuse(error, "", "is a folder, not a file");
    std::string why;
    if (!CheckImage(path, &why)) return Refuse(error, "", why);

    char full[MAX_PATH * 2];
    DWORD length = GetFullPathNameA(path.c_str(), sizeof(full), full, nullptr);
    if (length == 0 || length >= sizeof(full)) return Refuse(error, "", "path too long");
    // Search the module's own folder for what it imports (HOSTRUN.dll).
    UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    binding->module = LoadLibraryExA(full, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    DWORD failure = GetLastError();
    SetErrorMode(oldMode);
    if (!binding->module) {
        if (failure == ERROR_MOD_NOT_FOUND)
            return Refuse(error, "",
                          "cannot be loaded: a library it imports is missing "
                          "(HOSTRUN.dll must lie beside it or beside the host)");
        if (failure == ERROR_PROC_NOT_FOUND)
            return Refuse(error, "",
                          "cannot be loaded: a library it imports lacks an entry point "
                          "it needs (is HOSTRUN.dll complete?)");
        return Refuse(error, "",
                      "cannot be loaded (Windows error " + std::to_string(failure) + ")");
    }
    if (!Check(binding, error)) {
        ReleaseModule(binding);
        return false;
    }
    return true;
}

void ReleaseModule(ModuleBinding* binding) {
    if (binding->module) FreeLibrary(binding->module);
    *binding = ModuleBinding{};
}

std::string ModuleBesideThisProgram() {
    char self[MAX_PATH * 2];
    DWORD length = GetModuleFileNameA(nullptr, self, sizeof self);
    std::string path(self, length);
    return path.substr(0, path.find_last_of("\\/") + 1) + "CHRONYX.dll";
}
