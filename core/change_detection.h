// Which units of the clock an object has last seen, and the change events
// raised when a sample shows them different.
#pragma once

#include <cstdint>

#include "core/clock_records.h"
#include "core/records.h"

// Event codes; each is the index of the condition that answers it.
constexpr int32_t kEventSecond = 1;
constexpr int32_t kEventMinute = 2;
constexpr int32_t kEventHour = 3;
constexpr int32_t kEventDay = 4;
constexpr int32_t kEventMonth = 5;
constexpr int32_t kEventYear = 6;

constexpr int16_t kResultRedraw = 2;

// Records every unit of this reading as seen, so that none raises an event.
void MarkUnitsSeen(RunData* run, const TimeOfDay* time, const CalendarDate* date);

// Compares a sample with the units last seen, updates them and raises the
// events of the object's display type. Returns kResultRedraw once any event is
// raised, else `result` unchanged.
int16_t RaiseChangeEvents(RunData* run, const TimeOfDay* time, const CalendarDate* date,
                          int16_t result);
