#include "tests/wine/wine_fixture.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "fixtures/edit_data_builder.h"
#include "fixtures/run_object.h"
#include "host/common/gdi_accounting.h"
#include "host/common/import_patch.h"

namespace wine {

namespace {

std::vector<CallbackCall> g_callbacks;

int32_t WINAPI RecordPushEvent(void* object, int32_t a, int32_t b) {
    g_callbacks.push_back({"HostPushEvent", object, a, b});
    return 0;
}
int32_t WINAPI RecordEraseObject(void* object, int32_t a, int32_t b) {
    g_callbacks.push_back({"HostEraseObject", object, a, b});
    return 0;
}
int32_t WINAPI RecordRedisplay(void* object, int32_t a, int32_t b) {
    g_callbacks.push_back({"HostRedisplay", object, a, b});
    return 0;
}

// The machine's clock is never read nor set by a test, and every graphics
// call of the DLL passes the accounting.
void PatchImports(HMODULE dll) {
    if (!hostclock::Install(dll)) {
        std::fprintf(stderr, "CHRONYX.dll's GetLocalTime/SetLocalTime cannot be patched\n");
        std::abort();
    }
    if (!gdiaccount::Install(dll)) {
        std::fprintf(stderr, "CHRONYX.dll lacks a graphics import to account for\n");
        std::abort();
    }
}

HMODULE LoadChronyx() {
    HMODULE dll = LoadLibraryA("CHRONYX.dll");
    if (!dll) {
        std::fprintf(stderr, "LoadLibrary(CHRONYX.dll) failed: %lu\n", GetLastError());
        std::abort();
    }
    PatchImports(dll);
    return dll;
}

void ExpectSettled(const char* when) {
    for (const std::string& fault : gdiaccount::Settle())
        ADD_FAILURE() << when << ": " << fault;
}

template <typename F> void Resolve(F* slot, WORD ordinal) {
    *slot = reinterpret_cast<F>(reinterpret_cast<void*>(ExportByOrdinal(ordinal)));
}

} // namespace

HMODULE Chronyx() {
    static HMODULE dll = LoadChronyx();
    return dll;
}

FARPROC ExportByOrdinal(WORD ordinal) {
    return GetProcAddress(Chronyx(), MAKEINTRESOURCEA(ordinal));
}

void RestoreImports() {
    imports::RestoreAll(Chronyx());
    PatchImports(Chronyx());
}

const EntryPoints& Api() {
    static const EntryPoints api = [] {
        EntryPoints e = {};
        Resolve(&e.GetInfos, ordinals::kGetInfos);
        Resolve(&e.PutObject, ordinals::kPutObject);
        Resolve(&e.CreateRunObject, ordinals::kCreateRunObject);
        Resolve(&e.DestroyRunObject, ordinals::kDestroyRunObject);
        Resolve(&e.HandleRunObject, ordinals::kHandleRunObject);
        Resolve(&e.DisplayRunObject, ordinals::kDisplayRunObject);
        Resolve(&e.ReInitRunObject, ordinals::kReInitRunObject);
        Resolve(&e.PauseRunObject, ordinals::kPauseRunObject);
        Resolve(&e.ContinueRunObject, ordinals::kContinueRunObject);
        Resolve(&e.GetRunObjectInfos, ordinals::kGetRunObjectInfos);
        Resolve(&e.GetConditionCodeFromMenu, ordinals::kGetConditionCodeFromMenu);
        Resolve(&e.GetActionCodeFromMenu, ordinals::kGetActionCodeFromMenu);
        Resolve(&e.GetExpressionCodeFromMenu, ordinals::kGetExpressionCodeFromMenu);
        Resolve(&e.GetImageInfosRunObject, ordinals::kGetImageInfosRunObject);
        Resolve(&e.GetRunObjectDataSize, ordinals::kGetRunObjectDataSize);
        return e;
    }();
    return api;
}

RoutineTables Tables() {
    RegistrationRecord record = {};
    Api().GetRunObjectInfos(0, &record);
    return {static_cast<const ConditionRoutine*>(record.conditionTable),
            static_cast<const ActionRoutine*>(record.actionTable),
            static_cast<const ExpressionRoutine*>(record.expressionTable)};
}

EditData MakeEditData(int16_t displayType) {
    return fixture::EditDataBuilder(120, 40, displayType)
        .Dial()
        .HandColours(RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255))
        .Colours(RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255))
        .Fonts(16, "Arial");
}

void WineHost::SetUp() {
    Chronyx();
    hostclock::Reset();
    gdiaccount::Reset();
    g_callbacks.clear();
    surface = HrSurfaceCreate(320, 240);
    fontBank = HrFontBankCreate();
    ASSERT_NE(nullptr, surface);
    ASSERT_NE(nullptr, fontBank);
    runHeader = {};
    runHeader.surface = surface;
    runHeader.fontBank = fontBank;
    runHeader.HostPushEvent = RecordPushEvent;
    runHeader.HostEraseObject = RecordEraseObject;
    runHeader.HostRedisplay = RecordRedisplay;
}

void WineHost::TearDown() {
    ExpectSettled("by the end of the test");
    gdiaccount::Reset();
    for (RunData* run : objects_)
        std::free(run);
    objects_.clear();
    HrFontBankDestroy(fontBank);
    HrSurfaceDestroy(surface);
    fontBank = nullptr;
    surface = nullptr;
}

RunData* WineHost::CreateObject(const EditData& edit, int16_t x, int16_t y, int16_t* result) {
    auto* run = static_cast<RunData*>(std::calloc(1, sizeof(RunData)));
    if (!run) return nullptr;
    objects_.push_back(run);
    const int16_t answer =
        fixture::CreateObject(Api().CreateRunObject, run, sizeof(RunData), &runHeader, edit, x, y);
    if (result) *result = answer;
    return run;
}

int16_t WineHost::Display(RunData* run) {
    const int16_t answer = Api().DisplayRunObject(run);
    ExpectSettled("DisplayRunObject");
    return answer;
}

int16_t WineHost::DestroyObject(RunData* run) {
    const int16_t answer = Api().DestroyRunObject(run, 0);
    for (auto it = objects_.begin(); it != objects_.end(); ++it) {
        if (*it == run) {
            objects_.erase(it);
            break;
        }
    }
    std::free(run);
    return answer;
}

const std::vector<CallbackCall>& WineHost::Callbacks() const {
    return g_callbacks;
}

std::vector<CallbackCall> WineHost::CallbacksNamed(const char* op) const {
    std::vector<CallbackCall> named;
    for (const CallbackCall& call : g_callbacks)
        if (call.op == op) named.push_back(call);
    return named;
}

void WineHost::ClearCallbacks() {
    g_callbacks.clear();
}

uint32_t WineHost::Pixel(int x, int y) {
    int32_t width = 0, height = 0;
    const uint32_t* pixels = HrSurfacePixels(surface, &width, &height);
    if (!pixels || x < 0 || y < 0 || x >= width || y >= height) return 0xFFFFFFFFu;
    return pixels[y * width + x];
}

} // namespace wine
