#include "core/shared_timer.h"
#include "display/display.h"

namespace {

constexpr int32_t kHundredthsPerHour = 360000;
constexpr int32_t kHundredthsPerMinute = 6000;
constexpr int32_t kHundredthsPerSecond = 100;

} // namespace

// The remainders are taken from the full quotients, so the minutes and seconds
// stay within their unit even when the hours do not fit 16 bits.
TimerReading SplitHundredths(int32_t hundredths) {
    int32_t hours = hundredths / kHundredthsPerHour;
    int32_t rest = hundredths - hours * kHundredthsPerHour;
    int32_t minutes = rest / kHundredthsPerMinute;
    rest -= minutes * kHundredthsPerMinute;
    int32_t seconds = rest / kHundredthsPerSecond;
    return TimerReading{static_cast<uint16_t>(hours), static_cast<uint16_t>(minutes),
                        static_cast<uint16_t>(seconds)};
}

// Any clockMode other than the countdown reads as the chronometer here; the
// local time never comes this way.
TimerReading ReadDisplayedTimer(const RunData* run) {
    int32_t value =
        run->settings.clockMode == kModeCountdown ? CountdownRemaining(run) : TimerValue(run);
    return SplitHundredths(value);
}
