// One fuzz input played as a host would play it: objects created from the
// input's edit data, driven through every entry point and routine under a
// clock, a profile and failures that the input decides, and destroyed when
// the input ends. Every call is checked as it returns. failAcquiringCall n
// fails the nth acquiring call of the session (0: none fails but those the
// input asks for).
#pragma once

#include <cstddef>
#include <cstdint>

namespace fuzz {

void RunInput(const uint8_t* data, size_t size, int failAcquiringCall = 0);

} // namespace fuzz
