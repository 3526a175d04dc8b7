// Plays saved fuzz inputs through the harness without libFuzzer: for
// compilers without it, and for running the corpus under valgrind.
// Arguments are files or directories of files.
//
// --sweep first: the anomaly sweep. Each input is played once to count its
// acquiring calls, then once more for every n with its nth acquiring call
// failed, and every call is checked as in any other run.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "simulated_machine/sim_machine.h"
#include "tests/fuzz/fuzz_report.h"
#include "tests/fuzz/fuzz_session.h"

extern "C" int LLVMFuzzerInitialize(int*, char***);
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

std::vector<uint8_t> Read(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)),
                                std::istreambuf_iterator<char>());
}

// Files as given, a directory's files in name order.
std::vector<std::filesystem::path> Inputs(int argc, char** argv, int first) {
    std::vector<std::filesystem::path> files;
    for (int i = first; i < argc; ++i) {
        std::filesystem::path p(argv[i]);
        if (!std::filesystem::is_directory(p)) {
            files.push_back(p);
            continue;
        }
        std::vector<std::filesystem::path> inside;
        for (const auto& entry : std::filesystem::directory_iterator(p))
            if (entry.is_regular_file()) inside.push_back(entry.path());
        std::sort(inside.begin(), inside.end());
        files.insert(files.end(), inside.begin(), inside.end());
    }
    return files;
}

constexpr int kKinds = static_cast<int>(sim::Acquiring::kCount);

// Returns the number of steps, each kind's failures counted in failed.
long Sweep(const std::filesystem::path& file, long failed[kKinds]) {
    const std::vector<uint8_t> bytes = Read(file);
    const std::string name = file.filename().string();
    fuzz::SetRunLabel("%s, played without failures", name.c_str());
    fuzz::RunInput(bytes.data(), bytes.size());
    const int calls = sim::AcquiringCalls();
    for (int n = 1; n <= calls; ++n) {
        fuzz::SetRunLabel("%s, acquiring call %d of %d failed", name.c_str(), n, calls);
        fuzz::RunInput(bytes.data(), bytes.size(), n);
        const sim::Acquiring kind = sim::FailedAcquiringCall();
        FUZZ_EXPECT(kind != sim::Acquiring::kCount,
                    "acquiring call %d was never made: the replay is not the same every time", n);
        ++failed[static_cast<int>(kind)];
    }
    std::printf("%-28s %6d acquiring calls\n", name.c_str(), calls);
    return calls;
}

int SweepAll(const std::vector<std::filesystem::path>& files) {
    long failed[kKinds] = {};
    long steps = 0;
    for (const auto& file : files)
        steps += Sweep(file, failed);
    fuzz::SetRunLabel("the sweep's totals");
    std::printf("%zu input(s), %ld step(s), each with one acquiring call failed:\n", files.size(),
                steps);
    for (int k = 0; k < kKinds; ++k) {
        const auto kind = static_cast<sim::Acquiring>(k);
        std::printf("  %-20s %7ld  (answering %s)\n", sim::AcquiringCallName(kind), failed[k],
                    sim::AcquiringCallFailure(kind));
    }
    // A kind the inputs never reach is a failure path the sweep does not run.
    for (int k = 0; k < kKinds; ++k)
        FUZZ_EXPECT(failed[k] > 0, "no input reaches %s, so its failure was never run",
                    sim::AcquiringCallName(static_cast<sim::Acquiring>(k)));
    std::printf("no expectation failed\n");
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    LLVMFuzzerInitialize(&argc, &argv);
    const bool sweep = argc > 1 && std::strcmp(argv[1], "--sweep") == 0;
    const std::vector<std::filesystem::path> files = Inputs(argc, argv, sweep ? 2 : 1);
    if (files.empty()) return 1;
    if (sweep) return SweepAll(files);
    for (const auto& file : files) {
        const std::vector<uint8_t> bytes = Read(file);
        LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
    }
    std::printf("%zu input(s) played, no expectation failed\n", files.size());
    return 0;
}
