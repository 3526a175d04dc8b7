// Loading CHRONYX.dll the way a host does: from a path, every entry point
// resolved by its ordinal, and the answers a host depends on checked before
// any object is made.
#pragma once

#include <cstdint>
#include <string>

#include <windows.h>

#include "contract/entry_points.h"

struct ModuleBinding {
    HMODULE module = nullptr;
    std::string path;
    FARPROC entries[kEntryPointCount] = {}; // in the order of kEntryPoints

    // Typed as contract/entry_points.h declares them.
    decltype(&::CreateRunObject) CreateRunObject = nullptr;
    decltype(&::DestroyRunObject) DestroyRunObject = nullptr;
    decltype(&::HandleRunObject) HandleRunObject = nullptr;
    decltype(&::DisplayRunObject) DisplayRunObject = nullptr;
    decltype(&::PauseRunObject) PauseRunObject = nullptr;
    decltype(&::ContinueRunObject) ContinueRunObject = nullptr;

    RegistrationRecord registration{};
    const ConditionRoutine* conditions = nullptr;
    const ActionRoutine* actions = nullptr;
    const ExpressionRoutine* expressions = nullptr;
    uint32_t runDataSize = 0;
};

struct BindError {
    std::string where; // "entry point 59 (GetRunObjectInfos)", or empty for the file itself
    std::string message;
};

bool BindModule(const std::string& path, ModuleBinding* binding, BindError* error);
void ReleaseModule(ModuleBinding* binding);

// CHRONYX.dll in the folder of the running program: where a host looks first.
std::string ModuleBesideThisProgram();
