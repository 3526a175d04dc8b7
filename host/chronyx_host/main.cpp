// chronyx-host: loads CHRONYX.dll as a game-creation host would and runs a
// scenario on it, printing the log of what happened and writing snapshots.
// Bad input of any kind stops it before anything is written, with exit
// status 2 and one line that says where the fault lies.
#include <fcntl.h>
#include <io.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "host/chronyx_host/builtin_scenarios.h"
#include "host/chronyx_host/host_run.h"
#include "host/chronyx_host/module_binding.h"
#include "host/chronyx_host/scenario.h"
#include "host/common/module_version.h"

#include "chronyx_version.h"

namespace {

constexpr int kBadInput = 2;
constexpr int32_t kLastClockSetter = 7; // actions 0 (SetHundredths) to 7 (SetYear)

const char kUsage[] =
    "usage: chronyx-host [options] [SCENARIO]\n"
    "\n"
    "Runs SCENARIO, a scenario file (.json) or the name of a built-in scenario\n"
    "(default: demo), on CHRONYX.dll and prints the log.\n"
    "\n"
    "  --dll PATH     the module to load (default: CHRONYX.dll beside this program)\n"
    "  --out DIR      folder for snapshots with a relative name (default: out)\n"
    "  --json         print the log as JSON lines\n"
    "  --record FROM:TO:NAME.gif[:FPS]\n"
    "                 record frames FROM to TO at FPS frames a second (default:\n"
    "                 the scenario's) into NAME.gif.frames in the output folder,\n"
    "                 which chronyx-gif turns into NAME.gif; may be repeated\n"
    "  --real-clock   leave the machine's clock in charge and pace the frames\n"
    "                 at the scenario's fps (no clock steps or clock setters)\n"
    "  --list         name the built-in scenarios\n"
    "  --version      name this host's version and the module's, read from its\n"
    "                 version resource\n"
    "  --help         show this text\n";

int BadInput(const std::string& file, const std::string& where, const std::string& message) {
    std::string line = "chronyx-host: " + file + ": ";
    if (!where.empty()) line += where + ": ";
    line += message;
    std::fprintf(stderr, "%s\n", line.c_str());
    return kBadInput;
}

bool ReadWholeFile(const std::string& path, std::string* text, std::string* error) {
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        *error = std::strerror(errno);
        return false;
    }
    char buffer[65536];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof(buffer), file)) > 0)
        text->append(buffer, got);
    bool ok = !std::ferror(file);
    if (!ok) *error = "read error";
    std::fclose(file);
    return ok;
}

struct RecordOption {
    int64_t from = 0, to = 0, fps = 0;
    std::string name;
};

// "FROM:TO:NAME.gif[:FPS]", the numbers whole and not negative.
bool ReadRecordOption(const std::string& text, RecordOption* option) {
    std::vector<std::string> parts;
    for (size_t start = 0;;) {
        size_t colon = text.find(':', start);
        parts.push_back(text.substr(start, colon - start));
        if (colon == std::string::npos) break;
        start = colon + 1;
    }
    auto number = [](const std::string& digits, int64_t* value) {
        if (digits.empty() || digits.size() > 9) return false;
        *value = 0;
        for (char c : digits) {
            if (c < '0' || c > '9') return false;
            *value = *value * 10 + (c - '0');
        }
        return true;
    };
    if (parts.size() != 3 && parts.size() != 4) return false;
    option->name = parts[2];
    return number(parts[0], &option->from) && number(parts[1], &option->to) &&
           (parts.size() == 3 || (number(parts[3], &option->fps) && option->fps > 0));
}

bool LooksLikeFile(const std::string& argument) {
    return argument.find_first_of("/\\.") != std::string::npos;
}

void ListBuiltins() {
    for (int i = 0; i < kBuiltinScenarioCount; ++i) {
        std::string summary;
        auto root = nlohmann::json::parse(kBuiltinScenarios[i].json, nullptr, false);
        if (root.is_object() && root.contains("description") && root["description"].is_string())
            summary = root["description"].get<std::string>();
        std::printf("%-10s %s%s\n", kBuiltinScenarios[i].name, i == 0 ? "(default) " : "",
                    summary.c_str());
    }
}

// What the command line asks for. Reading it ends the run early for --help,
// --list and bad input: the exit status is then in `exitStatus`.
struct CommandLine {
    RunOptions options;
    std::string modulePath;
    std::string scenarioArgument;
    std::vector<RecordOption> recordings;
    bool showVersion = false;
    int exitStatus = -1; // -1: go on and run
};

CommandLine ReadCommandLine(int argc, char** argv) {
    CommandLine line;
    for (int i = 1; i < argc && line.exitStatus < 0; ++i) {
        std::string argument = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        if (argument == "--help" || argument == "-h") {
            std::fputs(kUsage, stdout);
            line.exitStatus = 0;
        } else if (argument == "--version") {
            line.showVersion = true;
        } else if (argument == "--list") {
            ListBuiltins();
            line.exitStatus = 0;
        } else if (argument == "--json") {
            line.options.format = LogFormat::Json;
        } else if (argument == "--real-clock") {
            line.options.realClock = true;
        } else if (argument == "--dll" || argument == "--out" || argument == "--record") {
            if (!value) {
                line.exitStatus = BadInput("command line", argument, "needs a value");
                break;
            }
            ++i;
            RecordOption record;
            if (argument == "--dll")
                line.modulePath = value;
            else if (argument == "--out")
                line.options.outDir = value;
            else if (ReadRecordOption(value, &record))
                line.recordings.push_back(record);
            else
                line.exitStatus =
                    BadInput("command line", argument,
                             std::string("expected FROM:TO:NAME.gif[:FPS], got \"") + value + "\"");
        } else if (argument.size() > 1 && argument[0] == '-') {
            line.exitStatus = BadInput("command line", argument, "unknown option (see --help)");
        } else if (!line.scenarioArgument.empty()) {
            line.exitStatus = BadInput("command line", argument, "only one scenario per run");
        } else {
            line.scenarioArgument = argument;
        }
    }
    if (line.scenarioArgument.empty()) line.scenarioArgument = kBuiltinScenarios[0].name;
    if (line.modulePath.empty()) line.modulePath = ModuleBesideThisProgram();
    return line;
}

// The scenario's text, from a built-in scenario or a file, and the name its
// faults are reported under. Answers 0, or the exit status of bad input.
int ReadScenarioText(const std::string& argument, std::string* text, std::string* source) {
    *source = argument;
    if (const BuiltinScenario* builtin =
            LooksLikeFile(argument) ? nullptr : FindBuiltinScenario(argument)) {
        *text = builtin->json;
        *source = std::string("built-in scenario ") + builtin->name;
        return 0;
    }
    std::string error;
    if (!LooksLikeFile(argument) && GetFileAttributesA(argument.c_str()) == INVALID_FILE_ATTRIBUTES)
        return BadInput(argument, "",
                        "no such file, and no built-in scenario of that name (see --list)");
    if (!ReadWholeFile(argument, text, &error))
        return BadInput(argument, "", "cannot be read (" + error + ")");
    return 0;
}

// The host's own version, then the module's as Windows reads it; 1 when the
// module has none to show.
int ShowVersions(const std::string& modulePath) {
    std::printf("chronyx-host %s (%s)\n", CHX_VERSION_TEXT, CHX_IMAGE_WIDTH);
    if (GetFileAttributesA(modulePath.c_str()) == INVALID_FILE_ATTRIBUTES) {
        std::printf("%s: no such file\n", modulePath.c_str());
        return 1;
    }
    std::string version = ReadModuleVersion(modulePath);
    if (version.empty()) {
        std::printf("%s: no version resource\n", modulePath.c_str());
        return 1;
    }
    std::printf("%s %s\n", modulePath.c_str(), version.c_str());
    return 0;
}

// On the machine's clock nothing may move the clock: a jump or a clock step
// needs the simulated clock, and a clock setter would change the time of the
// whole computer, which a scenario is no reason to do. Answers 0, or the exit
// status of bad input.
int RefuseClockMovesOnTheRealClock(const Scenario& scenario, const std::string& source) {
    for (const Step& step : scenario.timeline)
        if (step.kind == StepKind::Jump || step.kind == StepKind::SetClock)
            return BadInput(source, step.where,
                            "moves the clock, which needs the simulated clock "
                            "(drop --real-clock)");
    std::vector<const Step*> steps;
    for (const Step& step : scenario.timeline)
        steps.push_back(&step);
    for (const EventLine& line : scenario.eventLines)
        for (const Step& step : line.steps)
            steps.push_back(&step);
    for (const Step* step : steps)
        if (step->kind == StepKind::Action && step->routine <= kLastClockSetter)
            return BadInput(source, step->where,
                            "sets the computer's clock; run it on the simulated clock "
                            "(drop --real-clock)");
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    // The log is the same bytes on every system: no CR before each LF.
    _setmode(_fileno(stdout), _O_BINARY);

    const CommandLine line = ReadCommandLine(argc, argv);
    if (line.exitStatus >= 0) return line.exitStatus;
    if (line.showVersion) return ShowVersions(line.modulePath);

    std::string text, source;
    if (int status = ReadScenarioText(line.scenarioArgument, &text, &source)) return status;
    Scenario scenario;
    ScenarioError problem;
    if (!ParseScenario(text, &scenario, &problem))
        return BadInput(source, problem.where, problem.message);
    for (const RecordOption& record : line.recordings)
        if (!AddRecording(&scenario, record.from, record.to, record.name, record.fps, "--record",
                          &problem))
            return BadInput("command line", problem.where, problem.message);
    if (line.options.realClock) {
        if (int status = RefuseClockMovesOnTheRealClock(scenario, source)) return status;
    }

    ModuleBinding module;
    BindError refusal;
    if (!BindModule(line.modulePath, &module, &refusal))
        return BadInput(line.modulePath, refusal.where, refusal.message);
    int status = RunScenario(scenario, module, line.options);
    ReleaseModule(&module);
    return status;
}
