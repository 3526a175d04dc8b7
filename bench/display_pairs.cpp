// DisplayRunObject for every display type, digital layout and calendar format,
// each beside the bare platform calls its draw makes: the same host, graphics,
// profile, string and formatting calls with their arguments ready, so that the
// ratio is what the module adds to them.
#include "bench/bare_calls.h"
#include "bench/objects.h"
#include "bench/pairs.h"
#include "contract/entry_points.h"
#include "core/module_instance.h"
#include "core/time_count.h"
#include "simulated_machine/sim_machine.h"
#include "winapi/windows_api.h"

namespace bench {
namespace {

EntryPoint volatile g_display = DisplayRunObject;

RunData* g_run;
bare::Target g_target;
bare::Dial g_dial;

// The arguments of the bare calls, worked out once per setup.
void Prepare() {
    RECT o;
    o.left = g_run->header.x;
    o.top = g_run->header.y;
    o.right = o.left + g_run->header.width;
    o.bottom = o.top + g_run->header.height;
    RECT f = o;
    if (g_run->settings.analogNumerals != kNumeralsNone) {
        f.left += g_run->dialInsetX / 2;
        f.right -= g_run->dialInsetX / 2;
        f.top += g_run->dialInsetY / 2;
        f.bottom -= g_run->dialInsetY / 2;
    }
    const RunHeader& header = *RunHeaderOf(g_run);
    g_target = bare::Target{header.surface, header.fontBank,
                            static_cast<uint16_t>(g_run->fontHandle), g_moduleInstance, o};
    g_dial = bare::DialIn(f, g_run->settings.analogNumerals);
}

auto Setup(ObjectKind settings, const char* shortDate = nullptr, const char* longDate = nullptr) {
    return [=] {
        g_run = NewObject(settings);
        if (shortDate) sim::SetProfileString("Intl", "sShortDate", shortDate);
        if (longDate) sim::SetProfileString("Intl", "sLongDate", longDate);
        // The chronometer has run 13 h 26 min 28.45 s; the five-minute
        // countdown has 3 min 0.5 s to go.
        if (settings.clockMode == kModeChronometer)
            g_run->chronoStart = CurrentTimeCount() - 4838845.0;
        if (settings.clockMode == kModeCountdown) g_run->chronoStart = CurrentTimeCount() - 11950.0;
        Prepare();
    };
}

void Display() {
    benchmark::DoNotOptimize(g_display(g_run));
}

// The 12-hour layouts read the morning's designator; 1 and 3 show seconds.
void BareDigital(int layout, bool designator, bool border) {
    bare::DigitalCalls(
        g_target, g_run->settings,
        bare::Digital{1, designator ? 1 : 0, layout == 1 || layout == 3, border, 10u, 15u, 42u});
}

void BareTimerDigital(unsigned hours, unsigned minutes, unsigned seconds) {
    bare::DigitalCalls(g_target, g_run->settings,
                       bare::Digital{2, 0, true, false, hours, minutes, seconds});
}

// The short date names nothing; dddd, MMMM dd, yyyy names Thursday and March,
// as does built-in pattern 1 (d mmmm yyyy) its month.
void BareDate(bare::Calendar draw) {
    bare::CalendarCalls(g_target, g_run->settings, draw);
}

void BareAnalog() {
    bare::AnalogCalls(g_target, g_run->settings, g_dial);
}

ObjectKind Analog(int16_t numerals, int16_t border) {
    ObjectKind s;
    s.displayType = kDisplayAnalog;
    s.numerals = numerals;
    s.border = border;
    return s;
}

ObjectKind Digital(int16_t layout, int16_t mode = kModeTime, int16_t border = 0) {
    ObjectKind s;
    s.displayType = kDisplayDigital;
    s.digitalFormat = layout;
    s.clockMode = mode;
    s.border = border;
    return s;
}

ObjectKind Calendar(int16_t format, int16_t pattern = 1) {
    ObjectKind s;
    s.displayType = kDisplayCalendar;
    s.calendarFormat = format;
    s.calendarPattern = pattern;
    return s;
}

template <class Bare> void Add(const char* name, ObjectKind s, Bare bare) {
    AddPair("DisplayRunObject", MakeSide(name, Setup(s), Display),
            MakeSide("bare calls", Setup(s), bare), Goal::kAtMost1p2, Check::kSameCalls);
}

} // namespace

void RegisterDisplayPairs() {
    Add("analog, Arabic numerals, marks, circle", Analog(kNumeralsArabic, 1), BareAnalog);
    Add("analog, Roman numerals, marks, circle", Analog(kNumeralsRoman, 1), BareAnalog);
    Add("analog, hands and marks only", Analog(kNumeralsNone, 0), BareAnalog);

    Add("digital layout 0 (hh:mm A.M.)", Digital(0), [] { BareDigital(0, true, false); });
    Add("digital layout 1 (hh:mm:ss A.M.)", Digital(1), [] { BareDigital(1, true, false); });
    Add("digital layout 2 (hh:mm)", Digital(2), [] { BareDigital(2, false, false); });
    Add("digital layout 3 (hh:mm:ss)", Digital(3), [] { BareDigital(3, false, false); });
    Add("digital layout 1, frame", Digital(1, kModeTime, 1), [] { BareDigital(1, true, true); });
    Add("digital layout 3, chronometer", Digital(3, kModeChronometer),
        [] { BareTimerDigital(13, 26, 28); });
    Add("digital layout 3, countdown", Digital(3, kModeCountdown),
        [] { BareTimerDigital(0, 3, 0); });

    ObjectKind invisible;
    invisible.displayType = kDisplayInvisible;
    AddPair("DisplayRunObject", MakeSide("invisible", Setup(invisible), Display),
            MakeSide("empty call", Setup(invisible),
                     [] { benchmark::DoNotOptimize(g_emptyEntry(g_run)); }),
            Goal::kWithin2ns, Check::kSameCalls);

    AddPair("DisplayRunObject",
            MakeSide("calendar, short date (dd/mm/yy)", Setup(Calendar(0)), Display),
            MakeSide("bare calls", Setup(Calendar(0)),
                     [] {
                         BareDate({0, 0, -1, 0});
                     }),
            Goal::kAtMost1p2, Check::kSameCalls);
    AddPair("DisplayRunObject",
            MakeSide("calendar, long date (dddd, MMMM dd, yyyy)",
                     Setup(Calendar(1), nullptr, "dddd, MMMM dd, yyyy"), Display),
            MakeSide("bare calls", Setup(Calendar(1), nullptr, "dddd, MMMM dd, yyyy"),
                     [] {
                         BareDate({1, 0, 4, 3});
                     }),
            Goal::kAtMost1p2, Check::kSameCalls);
    Add("calendar, built-in pattern 1 (d mmmm yyyy)", Calendar(2, 1), [] {
        BareDate({2, 1, -1, 3});
    });
}

} // namespace bench
