// The colours of a frame for GIF: the exact ones when there are at most 256,
// so that no dithering blurs a hand or a digit; otherwise the nearest 256
// found by giflib's median cut.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

constexpr size_t kGifColours = 256;

struct IndexedPart {
    std::vector<uint32_t> colours; // 0xRRGGBB, at most 256
    std::vector<uint8_t> indices;  // one per pixel
    bool quantised = false;
};

// Adds the distinct colours of `rgb` to `colours` and stops once there are
// more than `limit`; false then.
bool CollectColours(const std::vector<uint8_t>& rgb, std::vector<uint32_t>* colours,
                    size_t limit = kGifColours);

// Pixels of `rgb` as indices into `palette`, which holds every colour they use.
std::vector<uint8_t> IndexPixels(const std::vector<uint8_t>& rgb,
                                 const std::vector<uint32_t>& palette);

// A palette of its own for one frame's pixels.
IndexedPart IndexPart(const std::vector<uint8_t>& rgb, uint32_t width, uint32_t height);
