// libFuzzer's entry: every input is one host session over a reset machine.
#include <cstddef>
#include <cstdint>

#include "winapi/windows_api.h"
#include "tests/fuzz/fuzz_report.h"
#include "tests/fuzz/fuzz_session.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved);

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::InstallFailureReport();
    // As Windows would at load: the module keeps its instance handle.
    DllMain(reinterpret_cast<HINSTANCE>(uintptr_t{0x10000000}), DLL_PROCESS_ATTACH, nullptr);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::RunInput(data, size);
    return 0;
}
