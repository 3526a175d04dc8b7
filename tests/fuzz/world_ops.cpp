// The world around the object, as the input moves it: the clock, the event
// loop's count, the display's origin, the profile, the failures armed, the
// host's header fields and the measure of text.
#include <cstring>
#include <string>

#include "core/numeric.h"
#include "base/civil_calendar.h"
#include "base/moment.h"
#include "tests/fuzz/fuzz_report.h"
#include "tests/fuzz/session.h"
#include "tests/fuzz/session_ops.h"

namespace fuzz {

void OpClock(Session& s) {
    ByteReader& in = s.in;
    switch (in.U8() % kClockKindCount) {
    case kClockAdvance:
        sim::AdvanceClock(in.U16());
        break;
    case kClockJump:
        sim::AdvanceClock(static_cast<int32_t>(in.U32()));
        break;
    case kClockNewYearsEve: {
        int year = 1980 + in.U8() % 120;
        int before = in.U16() % 60000;
        sim::SetClock(year + 1, 1, 1, 0, 0, 0, 0);
        sim::AdvanceClock(-1 - before);
        break;
    }
    case kClockLeapDay: {
        int year = 1980 + 4 * (in.U8() % 30);
        int day = 28 + in.U8() % 2;
        int before = in.U16() % 60000;
        sim::SetClock(year, 2, day, 23, 59, 59, 999);
        sim::AdvanceClock(-before);
        break;
    }
    case kClockSummerTime:
        sim::AdvanceClock(3600000);
        break;
    case kClockWinterTime:
        sim::AdvanceClock(-3600000);
        break;
    case kClockSet: {
        int year = civil::kFirstYear + in.U16() % (civil::kLastYear - civil::kFirstYear + 1);
        int month = 1 + in.U8() % 12;
        int day = 1 + in.U8() % civil::DaysInMonth(year, month);
        int hour = in.U8() % 24, minute = in.U8() % 60, second = in.U8() % 60;
        sim::SetClock(year, month, day, hour, minute, second, in.U16() % 1000);
        break;
    }
    }
    // A jump far outside what Windows keeps is not a clock a host can show.
    SYSTEMTIME now = sim::Clock();
    if (now.wYear < civil::kFirstYear || now.wYear > civil::kLastYear)
        sim::SetClock(civil::kDefaultMoment);
    Trace("clock %04u-%02u-%02u %02u:%02u:%02u.%03u", now.wYear, now.wMonth, now.wDay, now.wHour,
          now.wMinute, now.wSecond, now.wMilliseconds);
}

void OpEventCount(Session& s) {
    uint8_t kind = s.in.U8();
    if (kind == 0)
        s.rh->eventCount = static_cast<int32_t>(s.in.U32());
    else
        s.rh->eventCount = WrapAdd(s.rh->eventCount, kind);
}

void OpDisplayOrigin(Session& s) {
    s.rh->displayOriginX = static_cast<int16_t>(s.in.U16());
    s.rh->displayOriginY = static_cast<int16_t>(s.in.U16());
}

void OpProfile(Session& s) {
    static const char* const kKeys[4] = {"s1159", "s2359", "sShortDate", "sLongDate"};
    const char* key = kKeys[s.in.U8() % 4];
    uint8_t length = s.in.U8();
    if (length == 255) {
        sim::RemoveProfileString("Intl", key);
        return;
    }
    char value[64];
    size_t n = length % sizeof value;
    s.in.Take(value, n);
    sim::SetProfileString("Intl", key, std::string(value, strnlen(value, n)).c_str());
}

void OpFailures(Session& s) {
    uint8_t bits = s.in.U8();
    if (bits & 1) {
        sim::FailNextLocalAlloc();
        s.allocArmed = true;
    }
    if (bits & 2) sim::FailFontCreate(s.fontCreateFails = !s.fontCreateFails);
    if (bits & 4) sim::FailGdiFont(s.gdiFontFails = !s.gdiFontFails);
}

void OpHostHeader(Session& s) {
    Slot* slot = LiveSlot(s, s.in.U8());
    uint8_t field = s.in.U8() % 5;
    int16_t value = static_cast<int16_t>(s.in.U16());
    if (!slot) return;
    ObjectHeader& h = slot->run->header;
    int16_t* fields[4] = {&h.x, &h.y, &h.width, &h.height};
    if (field < 4) {
        *fields[field] = value;
    } else {
        slot->flags = static_cast<uint8_t>(value);
        h.flags = slot->flags;
    }
}

void OpTextExtent(Session& s) {
    LONG width = s.in.U8(), height = s.in.U8();
    sim::SetTextExtent([width, height](const char*, int length) {
        return SIZE{width * length, height};
    });
}

} // namespace fuzz
