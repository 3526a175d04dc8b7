// Snapshots of the frame surface as PNG files. A file is written under a
// temporary name beside its target and renamed over it only when complete,
// so a reader never finds half an image.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Pixels are 0x00RRGGBB, row after row from the top.
std::vector<uint8_t> EncodePng(const uint32_t* pixels, int32_t width, int32_t height);

// Creates the folders on the way to `path` as needed.
bool WriteFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes,
                         std::string* error);
