#include "host/chronyx_host/scenario_time.h"

#include <cstdio>

#include "base/civil_calendar.h"

namespace scenario_reading {

namespace {

// Digits of a fixed count at text[*at]; false when they are not there.
bool TakeDigits(const std::string& text, size_t* at, size_t count, int32_t* number) {
    if (*at + count > text.size()) return false;
    int32_t n = 0;
    for (size_t i = 0; i < count; ++i) {
        char c = text[*at + i];
        if (c < '0' || c > '9') return false;
        n = n * 10 + (c - '0');
    }
    *number = n;
    *at += count;
    return true;
}

bool TakeChar(const std::string& text, size_t* at, char c) {
    if (*at < text.size() && text[*at] == c) {
        ++*at;
        return true;
    }
    return false;
}

// ".5", ".50" or ".500" as milliseconds; nothing is 0.
bool TakeFraction(const std::string& text, size_t* at, int32_t* milliseconds) {
    *milliseconds = 0;
    if (!TakeChar(text, at, '.')) return true;
    int32_t scale = 100;
    size_t digits = 0;
    while (*at < text.size() && text[*at] >= '0' && text[*at] <= '9') {
        if (++digits > 3) return false;
        *milliseconds += (text[*at] - '0') * scale;
        scale /= 10;
        ++*at;
    }
    return digits > 0;
}

} // namespace

ClockMoment ReadMoment(const json& value, const std::string& path) {
    const std::string& text = ReadString(value, path);
    ClockMoment m{};
    size_t at = 0;
    bool ok = TakeDigits(text, &at, 4, &m.year) && TakeChar(text, &at, '-') &&
              TakeDigits(text, &at, 2, &m.month) && TakeChar(text, &at, '-') &&
              TakeDigits(text, &at, 2, &m.day) &&
              (TakeChar(text, &at, ' ') || TakeChar(text, &at, 'T')) &&
              TakeDigits(text, &at, 2, &m.hour) && TakeChar(text, &at, ':') &&
              TakeDigits(text, &at, 2, &m.minute) && TakeChar(text, &at, ':') &&
              TakeDigits(text, &at, 2, &m.second) && TakeFraction(text, &at, &m.millisecond) &&
              at == text.size();
    if (!ok)
        Refuse(path, "expected a moment as \"YYYY-MM-DD HH:MM:SS[.mmm]\", got \"" + text + "\"");
    if (!IsValidMoment(m)) Refuse(path, "\"" + text + "\" is not a moment that exists");
    return m;
}

int32_t ReadNowSecond(const std::string& text) {
    if (text == "now") return -1;
    size_t at = 3;
    int32_t second = 0, milliseconds = 0;
    bool ok = TakeChar(text, &at, ':') && TakeDigits(text, &at, 2, &second) &&
              TakeFraction(text, &at, &milliseconds) && at == text.size() && second < 60;
    if (!ok)
        Refuse("start", "expected \"now\", \"now:SS[.mmm]\" or \"YYYY-MM-DD HH:MM:SS[.mmm]\", "
                        "got \"" +
                            text + "\"");
    return second * 1000 + milliseconds;
}

int64_t ReadDuration(const json& value, const std::string& path) {
    constexpr int64_t kLimit = 100LL * 366 * 24 * 3600 * 1000; // a century
    if (value.is_number_integer() || value.is_number_unsigned())
        return ReadInteger(value, path, -kLimit, kLimit);
    const std::string& text = ReadString(value, path);
    size_t at = 0;
    int64_t sign = 1;
    if (TakeChar(text, &at, '-'))
        sign = -1;
    else
        TakeChar(text, &at, '+');
    int64_t hours = 0;
    size_t digits = 0;
    while (at < text.size() && text[at] >= '0' && text[at] <= '9' && digits < 6) {
        hours = hours * 10 + (text[at++] - '0');
        ++digits;
    }
    int32_t minutes = 0, seconds = 0, milliseconds = 0;
    bool ok = digits > 0 && TakeChar(text, &at, ':') && TakeDigits(text, &at, 2, &minutes) &&
              TakeChar(text, &at, ':') && TakeDigits(text, &at, 2, &seconds) &&
              TakeFraction(text, &at, &milliseconds) && at == text.size() && minutes < 60 &&
              seconds < 60;
    if (!ok)
        Refuse(path, "expected a duration as \"[+|-]H:MM:SS[.mmm]\" or milliseconds, got \"" +
                         text + "\"");
    return sign * (((hours * 60 + minutes) * 60 + seconds) * 1000 + milliseconds);
}

void ReadCountdown(const json& value, const std::string& path, EditData* edit) {
    if (value.is_object()) {
        ExpectKeys(value, path, {"hours", "minutes", "seconds"});
        if (const json* v = Find(value, "hours"))
            edit->countdownHours = ReadI16(*v, Key(path, "hours"));
        if (const json* v = Find(value, "minutes"))
            edit->countdownMinutes = ReadI16(*v, Key(path, "minutes"));
        if (const json* v = Find(value, "seconds"))
            edit->countdownSeconds = ReadI16(*v, Key(path, "seconds"));
        return;
    }
    if (!value.is_string()) RefuseType(value, path, "\"H:MM:SS\" or an object");
    const std::string& text = value.get_ref<const std::string&>();
    size_t at = 0;
    int32_t hours = 0, minutes = 0, seconds = 0;
    size_t digits = 0;
    while (at < text.size() && text[at] >= '0' && text[at] <= '9' && digits < 5) {
        hours = hours * 10 + (text[at++] - '0');
        ++digits;
    }
    bool ok = digits > 0 && hours <= INT16_MAX && TakeChar(text, &at, ':') &&
              TakeDigits(text, &at, 2, &minutes) && TakeChar(text, &at, ':') &&
              TakeDigits(text, &at, 2, &seconds) && at == text.size() && minutes < 60 &&
              seconds < 60;
    if (!ok) Refuse(path, "expected a countdown as \"H:MM:SS\", got \"" + text + "\"");
    edit->countdownHours = static_cast<int16_t>(hours);
    edit->countdownMinutes = static_cast<int16_t>(minutes);
    edit->countdownSeconds = static_cast<int16_t>(seconds);
}

} // namespace scenario_reading

bool IsValidMoment(const ClockMoment& m) {
    return civil::IsValidMoment(m.year, m.month, m.day, m.hour, m.minute, m.second, m.millisecond);
}

std::string FormatMoment(const ClockMoment& m) {
    char text[40];
    std::snprintf(text, sizeof(text), "%04d-%02d-%02d %02d:%02d:%02d.%03d", m.year, m.month, m.day,
                  m.hour, m.minute, m.second, m.millisecond);
    return text;
}
