// How the harness reports: a failed expectation prints what was got and what
// was expected and aborts, which libFuzzer turns into a saved crash input.
#pragma once

#include "fixtures/failure_report.h"

namespace fuzz {

using ::fixture::Fail;

// Makes Fail report as the harness does; called before the first input.
void InstallFailureReport();

// What is being run, named by a failed expectation: the input and the step.
void SetRunLabel(const char* format, ...) __attribute__((format(printf, 1, 2)));

// CHX_FUZZ_TRACE=1 in the environment prints every operation as it runs,
// for reading a saved input back.
bool Tracing();
void Trace(const char* format, ...) __attribute__((format(printf, 1, 2)));

} // namespace fuzz

#define FUZZ_EXPECT(cond, ...)                                                                     \
    do {                                                                                           \
        if (!(cond)) ::fixture::Fail(__VA_ARGS__);                                                 \
    } while (0)
