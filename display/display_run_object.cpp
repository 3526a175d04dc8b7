// PLACEHOLDER: replaced by the display.
#include "core/records.h"
#include "module/entry_points.h"

extern "C" int16_t WINAPI DisplayRunObject(RunData*) {
    return 0;
}
