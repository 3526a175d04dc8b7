// How the harness reports: a failed expectation prints what was got and what
// was expected and aborts, which libFuzzer turns into a saved crash input.
#pragma once

namespace fuzz {

[[noreturn]] void Fail(const char* format, ...) __attribute__((format(printf, 1, 2)));

// What is being run, named by a failed expectation: the input and the step.
void SetRunLabel(const char* format, ...) __attribute__((format(printf, 1, 2)));

// CHX_FUZZ_TRACE=1 in the environment prints every operation as it runs,
// for reading a saved input back.
bool Tracing();
void Trace(const char* format, ...) __attribute__((format(printf, 1, 2)));

} // namespace fuzz

#define FUZZ_EXPECT(cond, ...)                                                                     \
    do {                                                                                           \
        if (!(cond)) ::fuzz::Fail(__VA_ARGS__);                                                    \
    } while (0)
