// What every Wine test of the real CHRONYX.dll shares: the DLL loaded once
// with LoadLibrary, put on the simulated clock and its graphics objects
// accounted for, its entry points resolved by export ordinal, and a host (the
// reference HOSTRUN surface and font bank, a run header whose callbacks record
// every call) to create objects on.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/records.h"
#include "host/common/host_clock.h"
#include "host/hostrun/hostrun_host.h"
#include "contract/entry_points.h"
#include "base/moment.h"

namespace wine {

// The loaded CHRONYX.dll; its kernel32 clock imports already patched, and its
// graphics imports chained to gdiaccount.
HMODULE Chronyx();
// The entry with this export ordinal, null when there is none.
FARPROC ExportByOrdinal(WORD ordinal);
// Takes off every patch a test put on the DLL's imports with imports::Chain,
// leaving the DLL on the simulated clock and accounted for.
void RestoreImports();

// The run-time entry points and a few editor ones, resolved by their ordinals
// in the contract's list and typed with the module's own prototypes.
struct EntryPoints {
    decltype(&::GetInfos) GetInfos;
    decltype(&::PutObject) PutObject;
    decltype(&::CreateRunObject) CreateRunObject;
    decltype(&::DestroyRunObject) DestroyRunObject;
    decltype(&::HandleRunObject) HandleRunObject;
    decltype(&::DisplayRunObject) DisplayRunObject;
    decltype(&::ReInitRunObject) ReInitRunObject;
    decltype(&::PauseRunObject) PauseRunObject;
    decltype(&::ContinueRunObject) ContinueRunObject;
    decltype(&::GetRunObjectInfos) GetRunObjectInfos;
    decltype(&::GetConditionCodeFromMenu) GetConditionCodeFromMenu;
    decltype(&::GetActionCodeFromMenu) GetActionCodeFromMenu;
    decltype(&::GetExpressionCodeFromMenu) GetExpressionCodeFromMenu;
    decltype(&::GetImageInfosRunObject) GetImageInfosRunObject;
    decltype(&::GetRunObjectDataSize) GetRunObjectDataSize;
};
const EntryPoints& Api();

// The routine tables as the registration record hands them out.
struct RoutineTables {
    const ConditionRoutine* conditions;
    const ActionRoutine* actions;
    const ExpressionRoutine* expressions;
};
RoutineTables Tables();

// One call of a run-header callback.
struct CallbackCall {
    std::string op; // "HostPushEvent", "HostEraseObject", "HostRedisplay"
    void* object;
    int32_t a;
    int32_t b;
};

// Settings of a plain object: 120 x 40, shown as `displayType`, current time,
// no border, every hand on, a -16 pixel "Arial" in each font group.
EditData MakeEditData(int16_t displayType);

// A test on the real DLL and the reference HOSTRUN. Each test starts with the
// clock at hostclock::Reset's time, a fresh 320 x 240 black surface and font
// bank, no callback calls recorded and no graphics call failing. Every
// graphics object and device context the DLL takes is accounted for after
// each Display and at the end of the test: one broken promise is one failure.
class WineHost : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // DisplayRunObject, then what it made and borrowed settled.
    int16_t Display(RunData* run);

    // Allocates a zero-filled run data record with the object header pointing
    // at this host's run header and calls CreateRunObject at (x, y). The
    // record is freed at the end of the test if DestroyObject did not.
    RunData* CreateObject(const EditData& edit, int16_t x = 10, int16_t y = 20,
                          int16_t* result = nullptr);
    // DestroyRunObject, then frees the record; answers DestroyRunObject's result.
    int16_t DestroyObject(RunData* run);

    // Callback calls since SetUp (or the last clear), in order; the named ones only.
    const std::vector<CallbackCall>& Callbacks() const;
    std::vector<CallbackCall> CallbacksNamed(const char* op) const;
    void ClearCallbacks();

    // The surface's pixel (0x00RRGGBB) at x, y.
    uint32_t Pixel(int x, int y);

    HostSurface* surface = nullptr;
    HostFontBank* fontBank = nullptr;
    RunHeader runHeader = {};

  private:
    std::vector<RunData*> objects_;
};

} // namespace wine
