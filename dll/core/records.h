// The run data: the object's working record behind the host's object header,
// the module's own. Packed, so that every reader in the module, and the
// tests, find each field at one fixed offset.
#pragma once

#include <cstddef>
#include <cstdint>

#include "contract/edit_data.h"
#include "contract/host_services.h"

#pragma pack(push, 1)

struct RunData {
    ObjectHeader header;
    int16_t triggerEventCount;
    ObjectSettings settings;
    int16_t paused;
    double chronoStart; // time count of the last start; 0 = stopped
    int32_t chronoElapsed;
    int16_t lastSecond;
    int16_t lastMinute;
    int16_t lastHour;
    int16_t lastDay;
    int16_t lastMonth;
    int16_t lastYear;
    int16_t centreY;
    int16_t centreX;
    int16_t hourHandEndX;
    int16_t hourHandEndY;
    int16_t minuteHandEndX;
    int16_t minuteHandEndY;
    int16_t secondHandEndX;
    int16_t secondHandEndY;
    int16_t visible;
    int16_t fontHandle;
    int16_t frameCounter;
    int16_t dialInsetX;
    int16_t dialInsetY;
    int32_t countdownStart;
    int16_t firstHandle;
    double lastTimeCount;
};

#pragma pack(pop)

static_assert(sizeof(RunData) == kRunDataSize);

// The module's own fields start right after the object header; their layout is
// the module's, so they are asserted in every build.
static_assert(offsetof(RunData, triggerEventCount) == 320);
static_assert(offsetof(RunData, settings) == 322);
static_assert(offsetof(RunData, paused) == 678);
static_assert(offsetof(RunData, chronoStart) == 680);
static_assert(offsetof(RunData, chronoElapsed) == 688);
static_assert(offsetof(RunData, lastSecond) == 692);
static_assert(offsetof(RunData, lastYear) == 702);
static_assert(offsetof(RunData, centreY) == 704);
static_assert(offsetof(RunData, centreX) == 706);
static_assert(offsetof(RunData, secondHandEndY) == 718);
static_assert(offsetof(RunData, visible) == 720);
static_assert(offsetof(RunData, fontHandle) == 722);
static_assert(offsetof(RunData, frameCounter) == 724);
static_assert(offsetof(RunData, dialInsetX) == 726);
static_assert(offsetof(RunData, countdownStart) == 730);
static_assert(offsetof(RunData, firstHandle) == 734);
static_assert(offsetof(RunData, lastTimeCount) == 736);

inline RunHeader* RunHeaderOf(const RunData* run) {
    return run->header.runHeader;
}
