// PLACEHOLDER: replaced by the object core.
#include "core/records.h"
#include "module/entry_points.h"

extern "C" int16_t WINAPI HandleRunObject(RunData*) {
    return 0;
}
extern "C" int16_t WINAPI ReInitRunObject(RunData*) {
    return 0;
}
extern "C" int16_t WINAPI PauseRunObject(RunData*) {
    return 0;
}
extern "C" int16_t WINAPI ContinueRunObject(RunData*) {
    return 0;
}
