// The module's exports as the host knows them: name, ordinal and the number
// of arguments each takes, from the contract's one list. The image is held to
// it here and, independently, to resources/chronyx.def by the PE check.
#pragma once

#include "contract/entry_points.h"

namespace wine {

using ExportEntry = EntryPointName;
inline constexpr const auto& kExports = kEntryPoints;

} // namespace wine
