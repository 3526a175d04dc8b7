// A floor must make exactly the platform calls of its figure: each side's
// step is run once with the simulated machine's recorder on and the null
// host's counters cleared, and the two traces compared.
#pragma once

#include <string>

#include "bench/pairs.h"

namespace bench {

// The first difference between the calls of the two sides' steps, in words;
// empty when they make the same calls.
std::string CallDifference(const Side& figure, const Side& floor);

} // namespace bench
