// The frame file: what the reference host records and chronyx-gif turns into
// an animated GIF. The host is a Windows program and carries no GIF writer;
// it leaves its frames in this plain form for the project's native encoder.
//
// All numbers are unsigned 32-bit little-endian.
//
//   header   "CHXFRAME"  version (1)  width  height  frame count
//   frame    delay (hundredths of a second)  x  y  w  h
//            then w * h pixels as R, G, B bytes, row after row from the top
//
// A frame holds only the rectangle (x, y, w, h) that changed since the frame
// before; the rest of the picture stays as it was. The first frame covers
// the whole picture, and a frame that changed nowhere holds one unchanged
// pixel, so that every frame of the recording has a frame of its own.
#pragma once

#include <cstddef>
#include <cstdint>

namespace frame_file {

constexpr char kMagic[8] = {'C', 'H', 'X', 'F', 'R', 'A', 'M', 'E'};
constexpr uint32_t kVersion = 1;
constexpr size_t kHeaderSize = 24;
constexpr size_t kFrameHeaderSize = 20;
constexpr size_t kCountOffset = 20; // written last, once the count is known
constexpr uint32_t kMaxSide = 8192;

inline void PutU32(uint8_t* at, uint32_t value) {
    at[0] = static_cast<uint8_t>(value);
    at[1] = static_cast<uint8_t>(value >> 8);
    at[2] = static_cast<uint8_t>(value >> 16);
    at[3] = static_cast<uint8_t>(value >> 24);
}

inline uint32_t GetU32(const uint8_t* at) {
    return at[0] | (at[1] << 8) | (at[2] << 16) | (static_cast<uint32_t>(at[3]) << 24);
}

} // namespace frame_file
