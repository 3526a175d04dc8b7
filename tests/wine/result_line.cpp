// The program's last line counts what passed and what failed, so that a run on
// Windows itself (run-tests.cmd of the tests package) ends with one line that
// a person, or the release test, reads without parsing the report above it.
#include <gtest/gtest.h>

#include <cstdio>

namespace {

class ResultLine : public ::testing::EmptyTestEventListener {
    // Program end comes after every listener's report of the last iteration.
    void OnTestProgramEnd(const ::testing::UnitTest& unit) override {
        std::printf("%d passed, %d failed\n", unit.successful_test_count(),
                    unit.failed_test_count());
        std::fflush(stdout);
    }
};

// Appended before main runs, so gtest_main's own report stays as it is.
[[maybe_unused]] const bool kAppended = [] {
    ::testing::UnitTest::GetInstance()->listeners().Append(new ResultLine);
    return true;
}();

} // namespace
