// Snapshots of the frame surface as PNG files, written with WriteFileAtomically.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/chronyx_host/atomic_file.h"

// Pixels are 0x00RRGGBB, row after row from the top.
std::vector<uint8_t> EncodePng(const uint32_t* pixels, int32_t width, int32_t height);
