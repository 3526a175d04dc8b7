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
    edit.settings.displayType = s.displayType;
    edit.settings.clockMode = s.clockMode;
    edit.settings.border = s.border;
    edit.settings.analogMarks = 1;
    edit.settings.analogNumerals = s.numerals;
    edit.settings.secondHand = edit.settings.minuteHand = edit.settings.hourHand = 1;
    edit.settings.digitalFormat = s.digitalFormat;
    edit.settings.calendarFormat = s.calendarFormat;
    edit.settings.calendarPattern = s.calendarPattern;
    edit.countdownMinutes = 5;
    edit.dialInsetX = 31;
    edit.dialInsetY = 20;
    for (FontDescription* f :
         {&edit.settings.analogFont, &edit.settings.digitalFont, &edit.settings.calendarFont}) {
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
