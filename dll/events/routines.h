// The routines the host reaches through the registration record's three
// tables, declared from their one list. Each takes the run data first; the
// table index is the interface.
#pragma once

#include <cstdint>

#include "core/records.h"

extern "C" {
#define CHX_CONDITION(index, name) int32_t WINAPI name(RunData* run, int32_t, int32_t);
#define CHX_ACTION(index, name, parameter)                                                         \
    int16_t WINAPI name(RunData* run, int32_t parameter, int32_t);
#define CHX_EXPRESSION(index, name) int32_t WINAPI name(RunData* run, int32_t);
#include "contract/routine_list.inc"
#undef CHX_CONDITION
#undef CHX_ACTION
#undef CHX_EXPRESSION
}
