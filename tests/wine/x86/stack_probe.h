// Calls a routine with 32-bit arguments and measures how many bytes of them
// it removed from the stack on return: 4 per argument for a standard call.
#pragma once

#include <cstdint>

extern "C" int32_t StackBytesRemoved(const void* routine, const uint32_t* args, int32_t count,
                                     uint32_t* result);
