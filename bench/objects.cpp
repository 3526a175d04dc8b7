#include "bench/objects.h"

#include "contract/entry_points.h"
#include "fixtures/edit_data_builder.h"
#include "fixtures/run_object.h"
#include "simulated_machine/sim_machine.h"

namespace bench {

RunData* NewObject(const ObjectKind& kind) {
    alignas(16) static unsigned char storage[kRunDataSize];
    sim::Reset();
    sim::SetRecording(false);
    const EditData edit = fixture::EditDataBuilder(160, 120, kind.displayType, kind.clockMode)
                              .Border(kind.border)
                              .Dial(kind.numerals)
                              .DigitalFormat(kind.digitalFormat)
                              .Calendar(kind.calendarFormat, kind.calendarPattern)
                              .Countdown(0, 5, 0)
                              .DialInset(31, 20)
                              .Fonts(16, "Sans");
    RunData* run = reinterpret_cast<RunData*>(storage);
    fixture::CreateObject(CreateRunObject, run, kRunDataSize, sim::TheRunHeader(), edit, 40, 30);
    HandleRunObject(run);
    return run;
}

int16_t WINAPI EmptyEntry(RunData*) {
    return 0;
}
EntryPoint volatile g_emptyEntry = EmptyEntry;

int32_t WINAPI EmptyCondition(RunData*, int32_t, int32_t) {
    return 0;
}
int32_t WINAPI EmptyExpression(RunData*, int32_t) {
    return 0;
}

} // namespace bench
