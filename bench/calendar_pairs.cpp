// FormatCalendarText beside the C library's strftime in the C locale, pattern
// for equivalent pattern, on the simulated clock's date.
#include <clocale>
#include <ctime>

#include "bench/objects.h"
#include "bench/pairs.h"
#include "display/display.h"
#include "platform/sim_machine.h"

namespace bench {
namespace {

struct Equivalent {
    const char* pattern;
    const char* strftimeFormat;
};

// The seven built-in patterns, and a long one with both names.
const Equivalent kEquivalents[] = {
    {"dd/mm/yy", "%d/%m/%y"},      {"d mmmm yyyy", "%e %B %Y"},
    {"d mmmm, yyyy", "%e %B, %Y"}, {"mmmm d, yyyy", "%B %e, %Y"},
    {"dd-mmm-yy", "%d-%b-%y"},     {"mmmm, yy", "%B, %y"},
    {"mmm-yy", "%b-%y"},           {"dddd, mmmm d, yyyy", "%A, %B %e, %Y"},
};

char g_text[kTextBufferSize];

void SetupMachine() {
    sim::Reset();
    sim::SetRecording(false);
    std::setlocale(LC_ALL, "C");
}

} // namespace

void RegisterCalendarPairs() {
    for (const Equivalent& e : kEquivalents) {
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
        AddPair("FormatCalendarText",
                MakeSide(std::string("\"") + pattern + "\"", SetupMachine, format_date),
                MakeSide(std::string("strftime \"") + format + "\"", SetupMachine, peer),
                Goal::kFaster, Check::kPeer);
    }
}

} // namespace bench
