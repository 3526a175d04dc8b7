// FormatCalendarText beside the C library's strftime in the C locale, pattern
// for equivalent pattern, on the simulated clock's date.
#include <clocale>
#include <ctime>
#include <iterator>
#include <string>
#include <vector>

#include "bench/bare_calls.h"
#include "bench/objects.h"
#include "bench/pairs.h"
#include "contract/calendar_patterns.h"
#include "core/module_instance.h"
#include "display/display.h"
#include "resources/string_ids.h"
#include "simulated_machine/sim_machine.h"

namespace bench {
namespace {

struct Equivalent {
    const char* pattern;
    const char* strftimeFormat;
};

// strftime's equivalent of each built-in pattern, by its number.
const char* const kStrftimeOfPattern[] = {"%d/%m/%y", "%e %B %Y", "%e %B, %Y", "%B %e, %Y",
                                          "%d-%b-%y", "%B, %y",   "%b-%y"};
static_assert(std::size(kStrftimeOfPattern) == kCalendarPatternCount);

// The built-in patterns, and a long one with both names.
std::vector<Equivalent> Equivalents() {
    std::vector<Equivalent> all;
    for (int i = 0; i < kCalendarPatternCount; ++i)
        all.push_back(Equivalent{kCalendarPatterns[i], kStrftimeOfPattern[i]});
    all.push_back(Equivalent{"dddd, mmmm d, yyyy", "%A, %B %e, %Y"});
    return all;
}

char g_text[kTextBufferSize];

// The names a pattern asks for, as string ids: runs of three or four d or m.
std::vector<unsigned> NameIds(const char* pattern) {
    std::vector<unsigned> ids;
    for (const char* p = pattern; *p;) {
        const char* run = p;
        while (*p == *run)
            ++p;
        if (p - run >= 3 && *run == 'd') ids.push_back(kStringWeekdayBase + 4); // Thursday
        if (p - run >= 3 && *run == 'm') ids.push_back(kStringMonthBase + 3);   // March
    }
    return ids;
}

void SetupMachine() {
    sim::Reset();
    sim::SetRecording(false);
    std::setlocale(LC_ALL, "C");
}

} // namespace

void RegisterCalendarPairs() {
    for (const Equivalent& e : Equivalents()) {
        const char* pattern = e.pattern;
        const char* format = e.strftimeFormat;
        auto format_date = [pattern] {
            FormatCalendarText(2026, 3, 5, 4, pattern, g_text, sizeof g_text);
            benchmark::DoNotOptimize(g_text);
        };
        auto peer = [format] {
            std::tm date{};
            date.tm_year = 2026 - 1900;
            date.tm_mon = 2;
            date.tm_mday = 5;
            date.tm_wday = 4;
            benchmark::DoNotOptimize(date);
            benchmark::DoNotOptimize(std::strftime(g_text, sizeof g_text, format, &date));
        };
        const std::string figure = std::string("\"") + pattern + "\"";
        AddPair("FormatCalendarText", MakeSide(figure, SetupMachine, format_date),
                MakeSide(std::string("strftime \"") + format + "\"", SetupMachine, peer),
                Goal::kFaster, Check::kPeer);
        // The names come from the module's string table on every call; beside
        // them, what the figure costs beyond the platform.
        std::vector<unsigned> ids = NameIds(pattern);
        if (ids.empty()) continue;
        auto names = [ids] {
            for (unsigned id : ids)
                bare::LoadName(g_moduleInstance, id);
        };
        AddPair("FormatCalendarText", MakeSide(figure + ", its names", SetupMachine, format_date),
                MakeSide(ids.size() == 1 ? "its LoadStringA call" : "its LoadStringA calls",
                         SetupMachine, names),
                Goal::kNone, Check::kSameCalls);
    }
}

} // namespace bench
