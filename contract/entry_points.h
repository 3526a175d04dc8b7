// The exported entry points of CHRONYX, declared from their one list. Every
// argument is one stack slot; the editor's entry points take arguments whose
// types are the host's and are ignored here. The run data is the module's
// record: a host allocates GetRunObjectDataSize bytes, zero-filled, with its
// object header at the front, and never looks further into it.
#pragma once

#include <cstdint>

#include "contract/edit_data.h"
#include "contract/host_services.h"

struct RunData;

typedef UINT_PTR EditorArg;

// HandleRunObject's answer when the object wants DisplayRunObject this frame;
// otherwise it answers 0.
constexpr int16_t kResultRedraw = 2;

// The host's object header is the front of the run data.
inline ObjectHeader* ObjectHeaderOf(RunData* run) {
    return reinterpret_cast<ObjectHeader*>(run);
}
inline const ObjectHeader* ObjectHeaderOf(const RunData* run) {
    return reinterpret_cast<const ObjectHeader*>(run);
}

// The argument lists of the fixed entry points, by count.
#define CHX_EDITOR_ARGS_1 EditorArg
#define CHX_EDITOR_ARGS_2 CHX_EDITOR_ARGS_1, EditorArg
#define CHX_EDITOR_ARGS_3 CHX_EDITOR_ARGS_2, EditorArg
#define CHX_EDITOR_ARGS_4 CHX_EDITOR_ARGS_3, EditorArg
#define CHX_EDITOR_ARGS_5 CHX_EDITOR_ARGS_4, EditorArg
#define CHX_EDITOR_ARGS_6 CHX_EDITOR_ARGS_5, EditorArg
#define CHX_EDITOR_ARGS_7 CHX_EDITOR_ARGS_6, EditorArg

extern "C" {
#define CHX_FIXED_ENTRY(result, name, ordinal, arguments, answer)                                  \
    result WINAPI name(CHX_EDITOR_ARGS_##arguments);
#define CHX_OWN_ENTRY(result, name, ordinal, arguments, parameters) result WINAPI name parameters;
#include "contract/entry_point_list.inc"
#undef CHX_FIXED_ENTRY
#undef CHX_OWN_ENTRY
}

// The entry points as a host knows them: ordinal, name and argument count.
struct EntryPointName {
    uint16_t ordinal;
    const char* name;
    int arguments;
};

inline constexpr EntryPointName kEntryPoints[] = {
#define CHX_FIXED_ENTRY(result, name, ordinal, arguments, answer) {ordinal, #name, arguments},
#define CHX_OWN_ENTRY(result, name, ordinal, arguments, parameters) {ordinal, #name, arguments},
#include "contract/entry_point_list.inc"
#undef CHX_FIXED_ENTRY
#undef CHX_OWN_ENTRY
};
inline constexpr int kEntryPointCount = sizeof kEntryPoints / sizeof kEntryPoints[0];
static_assert(kEntryPointCount == 52);

// The entry points' ordinals by name: ordinals::kGetRunObjectInfos.
namespace ordinals {
enum Ordinal : uint16_t {
#define CHX_FIXED_ENTRY(result, name, ordinal, arguments, answer) k##name = ordinal,
#define CHX_OWN_ENTRY(result, name, ordinal, arguments, parameters) k##name = ordinal,
#include "contract/entry_point_list.inc"
#undef CHX_FIXED_ENTRY
#undef CHX_OWN_ENTRY
};
} // namespace ordinals

// What GetInfos answers when asked with 0; anything else gets 0.
constexpr uint32_t kGetInfosAnswer = 512;
// What GetRunObjectInfos answers once it has filled the record.
constexpr int16_t kGetRunObjectInfosAnswer = 1;

// The routine tables' names by index, for hosts that name what they call.
inline constexpr const char* kConditionNames[] = {
#define CHX_CONDITION(index, name) #name,
#include "contract/routine_list.inc"
#undef CHX_CONDITION
};
inline constexpr const char* kActionNames[] = {
#define CHX_ACTION(index, name, parameter) #name,
#include "contract/routine_list.inc"
#undef CHX_ACTION
};
inline constexpr const char* kExpressionNames[] = {
#define CHX_EXPRESSION(index, name) #name,
#include "contract/routine_list.inc"
#undef CHX_EXPRESSION
};
inline constexpr uint16_t kConditionCount = sizeof kConditionNames / sizeof kConditionNames[0];
inline constexpr uint16_t kActionCount = sizeof kActionNames / sizeof kActionNames[0];
inline constexpr uint16_t kExpressionCount = sizeof kExpressionNames / sizeof kExpressionNames[0];

// The indices by name, for hosts and tests that call a routine by its table
// index: routines::kOnEachMinute, routines::kSetHours, routines::kGetYear.
namespace routines {
enum Condition : int32_t {
#define CHX_CONDITION(index, name) k##name = index,
#include "contract/routine_list.inc"
#undef CHX_CONDITION
};
enum Action : int32_t {
#define CHX_ACTION(index, name, parameter) k##name = index,
#include "contract/routine_list.inc"
#undef CHX_ACTION
};
enum Expression : int32_t {
#define CHX_EXPRESSION(index, name) k##name = index,
#include "contract/routine_list.inc"
#undef CHX_EXPRESSION
};
} // namespace routines

// Each row's index must be its place in the list: a row out of place would
// move a routine to another index.
namespace chx_list_order {
constexpr int kConditions[] = {
#define CHX_CONDITION(index, name) index,
#include "contract/routine_list.inc"
#undef CHX_CONDITION
};
constexpr int kActions[] = {
#define CHX_ACTION(index, name, parameter) index,
#include "contract/routine_list.inc"
#undef CHX_ACTION
};
constexpr int kExpressions[] = {
#define CHX_EXPRESSION(index, name) index,
#include "contract/routine_list.inc"
#undef CHX_EXPRESSION
};
template <size_t N> constexpr bool InOrder(const int (&indices)[N]) {
    for (size_t i = 0; i < N; ++i)
        if (indices[i] != static_cast<int>(i)) return false;
    return true;
}
static_assert(InOrder(kConditions) && InOrder(kActions) && InOrder(kExpressions));
} // namespace chx_list_order
