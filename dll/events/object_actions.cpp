// Showing, hiding, moving and resizing the object. Values are taken as given:
// the host may place or size an object however it likes.
#include "core/numeric.h"
#include "events/redisplay.h"
#include "events/routines.h"

static int16_t SetVisible(RunData* run, int16_t visible) {
    if (run->visible == visible) return 0;
    run->visible = visible;
    AskRedisplay(run);
    return 0;
}

extern "C" int16_t WINAPI ShowObject(RunData* run, int32_t, int32_t) {
    return SetVisible(run, 1);
}

extern "C" int16_t WINAPI HideObject(RunData* run, int32_t, int32_t) {
    return SetVisible(run, 0);
}

// One parameter carries both coordinates: x in the high half, y in the low.
extern "C" int16_t WINAPI SetPosition(RunData* run, int32_t position, int32_t) {
    run->header.x = Low16(static_cast<int32_t>(static_cast<uint32_t>(position) >> 16));
    run->header.y = Low16(position);
    AskRedisplay(run);
    return 0;
}

extern "C" int16_t WINAPI SetXPosition(RunData* run, int32_t value, int32_t) {
    run->header.x = Low16(value);
    AskRedisplay(run);
    return 0;
}

extern "C" int16_t WINAPI SetYPosition(RunData* run, int32_t value, int32_t) {
    run->header.y = Low16(value);
    AskRedisplay(run);
    return 0;
}

// A zero or negative size is stored as given.
extern "C" int16_t WINAPI SetWidth(RunData* run, int32_t value, int32_t) {
    run->header.width = Low16(value);
    AskRedisplay(run);
    return 0;
}

extern "C" int16_t WINAPI SetHeight(RunData* run, int32_t value, int32_t) {
    run->header.height = Low16(value);
    AskRedisplay(run);
    return 0;
}
