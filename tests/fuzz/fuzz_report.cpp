#include "tests/fuzz/fuzz_report.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

namespace fuzz {

namespace {
char g_runLabel[256];
}

void SetRunLabel(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::vsnprintf(g_runLabel, sizeof g_runLabel, format, args);
    va_end(args);
}

void InstallFailureReport() {
    fixture::g_failureReport.heading = "==chronyx-fuzz== expectation failed";
    fixture::g_failureReport.where = [](std::FILE* out) {
        if (g_runLabel[0]) std::fprintf(out, "  while running %s\n", g_runLabel);
    };
    fixture::g_failureReport.abort = true;
}

bool Tracing() {
    static const bool on = [] {
        const char* v = std::getenv("CHX_FUZZ_TRACE");
        return v && *v && *v != '0';
    }();
    return on;
}

void Trace(const char* format, ...) {
    if (!Tracing()) return;
    va_list args;
    va_start(args, format);
    std::vfprintf(stderr, format, args);
    va_end(args);
    std::fputc('\n', stderr);
}

} // namespace fuzz
