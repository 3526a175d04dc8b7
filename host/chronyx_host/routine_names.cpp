#include "host/chronyx_host/routine_names.h"

#include "contract/entry_points.h"

namespace {

template <size_t N> constexpr RoutineList ListOf(const char* const (&names)[N]) {
    return RoutineList{names, static_cast<int32_t>(N)};
}

} // namespace

// The names are the contract's list: a routine renamed or moved there is
// renamed or moved here.
const RoutineList kConditions = ListOf(kConditionNames);
const RoutineList kActions = ListOf(kActionNames);
const RoutineList kExpressions = ListOf(kExpressionNames);

int32_t FindRoutine(const RoutineList& list, std::string_view name) {
    for (int32_t i = 0; i < list.count; ++i)
        if (name == list.names[i]) return i;
    return -1;
}
