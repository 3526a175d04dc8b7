// Reads a frame file whole and checks it: every frame inside the picture,
// the first covering all of it, the pixels all there and nothing after them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct FramePart {
    uint32_t delay; // hundredths of a second
    uint32_t x, y, w, h;
    std::vector<uint8_t> rgb; // w * h pixels, R, G, B
};

struct FrameRecording {
    uint32_t width = 0, height = 0;
    std::vector<FramePart> frames;
};

bool ReadFrameFile(const std::string& path, FrameRecording* recording, std::string* error);
bool ParseFrameFile(const std::vector<uint8_t>& bytes, FrameRecording* recording,
                    std::string* error);
