// chronyx-bench-host: the benchmarks' Windows side, on the reference host's
// pieces. Reads its options, binds the module and runs the benchmark; bad
// input stops it with exit status 2 and one line that says where.
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/host/bench_mode.h"
#include "host/chronyx_host/module_binding.h"

namespace {

constexpr int kBadInput = 2;

const char kUsage[] =
    "usage: chronyx-bench-host [--dll PATH] [--objects N] [--frames M] [--fps F] [--rows]\n"
    "\n"
    "Times N objects of each display type (default 250) for M frames (600) at\n"
    "F frames a second (60) on CHRONYX.dll and prints a report, or with --rows\n"
    "the rows of the benchmark table (see docs/performance.md).\n"
    "\n"
    "  --dll PATH     the module to load (default: CHRONYX.dll beside this program)\n"
    "  --help         show this text\n";

int BadInput(const std::string& where, const std::string& message) {
    std::fprintf(stderr, "chronyx-bench-host: %s: %s\n", where.c_str(), message.c_str());
    return kBadInput;
}

} // namespace

int main(int argc, char** argv) {
    // The rows are the same bytes on every system: no CR before each LF.
    _setmode(_fileno(stdout), _O_BINARY);
    BenchOptions options;
    std::string modulePath;
    for (int i = 1; i < argc; ++i) {
        std::string argument = argv[i];
        bool hasValue = i + 1 < argc;
        if (argument == "--help" || argument == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (argument == "--rows") {
            options.tableRows = true;
        } else if (argument == "--dll" && hasValue) {
            modulePath = argv[++i];
        } else if ((argument == "--objects" || argument == "--frames" || argument == "--fps") &&
                   hasValue) {
            int value = std::atoi(argv[++i]);
            if (value <= 0) return BadInput("command line: " + argument, "needs a positive number");
            (argument == "--objects"  ? options.objectsPerType
             : argument == "--frames" ? options.frames
                                      : options.fps) = value;
        } else {
            return BadInput("command line: " + argument, "unknown option (see --help)");
        }
    }
    if (modulePath.empty()) modulePath = ModuleBesideThisProgram();
    ModuleBinding module;
    BindError refusal;
    if (!BindModule(modulePath, &module, &refusal))
        return BadInput(modulePath, refusal.where.empty() ? refusal.message
                                                          : refusal.where + ": " + refusal.message);
    int status = RunBench(module, options);
    ReleaseModule(&module);
    return status;
}
