#include "bench/objects.h"

#include <cstring>

#include "contract/entry_points.h"
#include "platform/sim_machine.h"

namespace bench {

RunData* NewObject(const ObjectSettings& s) {
    alignas(16) static unsigned char storage[kRunDataSize];
    sim::Reset();
    sim::SetRecording(false);

    EditData edit{};
    edit.width = 160;
    edit.height = 120;
    edit.displayType = s.displayType;
    edit.clockMode = s.clockMode;
    edit.border = s.border;
    edit.analogMarks = 1;
    edit.analogNumerals = s.numerals;
    edit.secondHand = edit.minuteHand = edit.hourHand = 1;
    edit.digitalFormat = s.digitalFormat;
    edit.calendarFormat = s.calendarFormat;
    edit.calendarPattern = s.calendarPattern;
    edit.countdownMinutes = 5;
    edit.dialInsetX = 31;
    edit.dialInsetY = 20;
    for (FontDescription* f : {&edit.analogFont, &edit.digitalFont, &edit.calendarFont}) {
        f->height = -16;
        f->weight = 400;
        std::strcpy(f->faceName, "Sans");
    }
    CreationRecord creation{};
    creation.x = 40;
    creation.y = 30;

    std::memset(storage, 0, sizeof storage);
    RunData* run = reinterpret_cast<RunData*>(storage);
    run->header.runHeader = sim::TheRunHeader();
    CreateRunObject(run, &edit, &creation);
    HandleRunObject(run);
    return run;
}

int16_t WINAPI EmptyEntry(RunData*) {
    return 0;
}
int32_t WINAPI EmptyCondition(RunData*, int32_t, int32_t) {
    return 0;
}
int32_t WINAPI EmptyExpression(RunData*, int32_t) {
    return 0;
}

} // namespace bench
