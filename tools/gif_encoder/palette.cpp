#include "tools/gif_encoder/palette.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include <gif_lib.h>

namespace {

uint32_t ColourAt(const std::vector<uint8_t>& rgb, size_t pixel) {
    return (rgb[pixel * 3] << 16) | (rgb[pixel * 3 + 1] << 8) | rgb[pixel * 3 + 2];
}

} // namespace

bool CollectColours(const std::vector<uint8_t>& rgb, std::vector<uint32_t>* colours, size_t limit) {
    std::unordered_set<uint32_t> seen(colours->begin(), colours->end());
    uint32_t last = 0xFFFFFFFF; // neighbours mostly share a colour
    for (size_t i = 0; i < rgb.size() / 3; ++i) {
        uint32_t colour = ColourAt(rgb, i);
        if (colour == last) continue;
        last = colour;
        if (seen.insert(colour).second) {
            colours->push_back(colour);
            if (colours->size() > limit) return false;
        }
    }
    return true;
}

std::vector<uint8_t> IndexPixels(const std::vector<uint8_t>& rgb,
                                 const std::vector<uint32_t>& palette) {
    std::unordered_map<uint32_t, uint8_t> index;
    for (size_t i = 0; i < palette.size(); ++i)
        index[palette[i]] = static_cast<uint8_t>(i);
    std::vector<uint8_t> indices(rgb.size() / 3);
    for (size_t i = 0; i < indices.size(); ++i)
        indices[i] = index.at(ColourAt(rgb, i));
    return indices;
}

IndexedPart IndexPart(const std::vector<uint8_t>& rgb, uint32_t width, uint32_t height) {
    IndexedPart part;
    if (CollectColours(rgb, &part.colours)) {
        std::sort(part.colours.begin(), part.colours.end());
        part.indices = IndexPixels(rgb, part.colours);
        return part;
    }
    part.quantised = true;
    size_t pixels = static_cast<size_t>(width) * height;
    std::vector<GifByteType> red(pixels), green(pixels), blue(pixels);
    for (size_t i = 0; i < pixels; ++i) {
        red[i] = rgb[i * 3];
        green[i] = rgb[i * 3 + 1];
        blue[i] = rgb[i * 3 + 2];
    }
    int size = static_cast<int>(kGifColours);
    GifColorType map[kGifColours] = {};
    part.indices.resize(pixels);
    if (GifQuantizeBuffer(width, height, &size, red.data(), green.data(), blue.data(),
                          part.indices.data(), map) != GIF_OK)
        size = 0; // out of memory: left to the caller to refuse
    part.colours.clear();
    for (int i = 0; i < size; ++i)
        part.colours.push_back((map[i].Red << 16) | (map[i].Green << 8) | map[i].Blue);
    return part;
}
