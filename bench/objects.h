// Clock objects for the benchmarks, made the host's way: zero-filled run data
// and CreateRunObject on edit data of the kind below.
#pragma once

#include <cstdint>

#include "core/records.h"

namespace bench {

struct ObjectKind {
    int16_t displayType = kDisplayDigital;
    int16_t clockMode = kModeTime;
    int16_t border = 0;
    int16_t numerals = kNumeralsArabic;
    int16_t digitalFormat = 3;
    int16_t calendarFormat = 2;
    int16_t calendarPattern = 1;
};

// The machine is reset with recording off and the clock at its fixed moment,
// and the object is handled once, so that its first call is behind it. The
// run data lives until the next NewObject.
RunData* NewObject(const ObjectKind& kind);

// The empty calls an entry point or routine is compared with, defined apart
// so that no call to them is inlined.
int16_t WINAPI EmptyEntry(RunData* run);

// Entry points are read through volatile pointers, as a host reads its table
// of them: the compiler can neither inline the call nor hoist it out of the
// loop.
typedef int16_t(WINAPI* EntryPoint)(RunData*);
extern EntryPoint volatile g_emptyEntry;
int32_t WINAPI EmptyCondition(RunData* run, int32_t, int32_t);
int32_t WINAPI EmptyExpression(RunData* run, int32_t);

} // namespace bench
