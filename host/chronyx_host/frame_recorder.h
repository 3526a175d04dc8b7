// A record step in progress: the frames from its first frame to its last,
// taken at its rate, written as a frame file (base/frame_file_format.h)
// under the animation's name plus ".frames", for chronyx-gif to turn into
// the GIF.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/chronyx_host/atomic_file.h"
#include "host/chronyx_host/scenario.h"

// "clock.gif" -> "clock.gif.frames"
std::string FrameFileName(const std::string& animation);

// The scenario frame of the animation's frame `index`, and how long that
// frame shows, in hundredths of a second. Delays are rounded so that they
// add up to the run's own time: at 30 fps they go 3, 4, 3, 3, 4, 3...
int32_t RecordedFrame(const Step& record, int32_t scenarioFps, int32_t index);
int32_t RecordedDelay(const Step& record, int32_t scenarioFps, int32_t index);

class FrameRecorder {
  public:
    FrameRecorder(const Step& record, int32_t scenarioFps) : record_(record), fps_(scenarioFps) {}

    bool Begin(const std::string& path, int32_t width, int32_t height, std::string* error);
    // Takes the surface if `frame` is one of the animation's. Pixels are
    // 0x00RRGGBB, row after row from the top.
    bool Offer(int32_t frame, const uint32_t* pixels, std::string* error);
    bool Done(int32_t frame) const { return frame >= record_.recordTo; }
    // Writes the frame count and gives the file its name.
    bool Finish(std::string* error);
    int32_t FramesTaken() const { return taken_; }
    const Step& Record() const { return record_; }

  private:
    Step record_;
    int32_t fps_;
    int32_t width_ = 0, height_ = 0;
    int32_t taken_ = 0;
    std::vector<uint32_t> previous_;
    AtomicFile file_;
};
