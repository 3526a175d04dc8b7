// Writes a frame recording as a looping animated GIF with giflib. Each frame
// is the changed rectangle laid over the frames before it. When all frames
// together use at most 256 colours they share one exact global palette;
// otherwise each frame has its own, exact where it can be.
#pragma once

#include <cstddef>
#include <string>

#include "tools/gif_encoder/frame_file_reader.h"

struct GifReport {
    size_t frames = 0;
    size_t quantised = 0; // frames with more than 256 colours
    bool globalPalette = false;
};

// Writes under a temporary name beside `path` and renames it when complete.
bool WriteGif(const FrameRecording& recording, const std::string& path, GifReport* report,
              std::string* error);
