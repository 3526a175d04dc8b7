#include "host/chronyx_host/frame_recorder.h"

#include <algorithm>
#include <iterator>

#include "base/frame_file_format.h"

namespace {

// Hundredths of a second from the record's first frame to `frame`, rounded.
int64_t Hundredths(int64_t frames, int32_t fps) {
    return (frames * 100 + fps / 2) / fps;
}

struct Box {
    int32_t x, y, w, h;
};

// The smallest rectangle holding every pixel that differs; one pixel at the
// corner when none does.
Box Changed(const uint32_t* now, const std::vector<uint32_t>& before, int32_t width,
            int32_t height) {
    int32_t left = width, right = -1, top = height, bottom = -1;
    for (int32_t y = 0; y < height; ++y) {
        const uint32_t* row = now + static_cast<size_t>(y) * width;
        const uint32_t* old = before.data() + static_cast<size_t>(y) * width;
        for (int32_t x = 0; x < width; ++x) {
            if (row[x] == old[x]) continue;
            if (x < left) left = x;
            if (x > right) right = x;
            if (y < top) top = y;
            bottom = y;
        }
    }
    if (right < 0) return Box{0, 0, 1, 1};
    return Box{left, top, right - left + 1, bottom - top + 1};
}

} // namespace

std::string FrameFileName(const std::string& animation) {
    return animation + ".frames";
}

int32_t RecordedFrame(const Step& record, int32_t scenarioFps, int32_t index) {
    return record.frame +
           static_cast<int32_t>(static_cast<int64_t>(index) * scenarioFps / record.recordFps);
}

int32_t RecordedDelay(const Step& record, int32_t scenarioFps, int32_t index) {
    int64_t from = RecordedFrame(record, scenarioFps, index) - record.frame;
    int64_t to = RecordedFrame(record, scenarioFps, index + 1) - record.frame;
    return static_cast<int32_t>(Hundredths(to, scenarioFps) - Hundredths(from, scenarioFps));
}

bool FrameRecorder::Begin(const std::string& path, int32_t width, int32_t height,
                          std::string* error) {
    width_ = width;
    height_ = height;
    if (!file_.Open(path, error)) return false;
    uint8_t header[frame_file::kHeaderSize];
    std::copy(std::begin(frame_file::kMagic), std::end(frame_file::kMagic), header);
    frame_file::PutU32(header + 8, frame_file::kVersion);
    frame_file::PutU32(header + 12, static_cast<uint32_t>(width));
    frame_file::PutU32(header + 16, static_cast<uint32_t>(height));
    frame_file::PutU32(header + frame_file::kCountOffset, 0);
    return file_.Write(header, sizeof(header), error);
}

bool FrameRecorder::Offer(int32_t frame, const uint32_t* pixels, std::string* error) {
    if (frame != RecordedFrame(record_, fps_, taken_)) return true;
    Box box =
        taken_ == 0 ? Box{0, 0, width_, height_} : Changed(pixels, previous_, width_, height_);
    std::vector<uint8_t> bytes(frame_file::kFrameHeaderSize +
                               static_cast<size_t>(box.w) * box.h * 3);
    const uint32_t fields[] = {static_cast<uint32_t>(RecordedDelay(record_, fps_, taken_)),
                               static_cast<uint32_t>(box.x), static_cast<uint32_t>(box.y),
                               static_cast<uint32_t>(box.w), static_cast<uint32_t>(box.h)};
    for (size_t i = 0; i < 5; ++i)
        frame_file::PutU32(bytes.data() + i * 4, fields[i]);
    uint8_t* out = bytes.data() + frame_file::kFrameHeaderSize;
    for (int32_t y = box.y; y < box.y + box.h; ++y)
        for (int32_t x = box.x; x < box.x + box.w; ++x) {
            uint32_t pixel = pixels[static_cast<size_t>(y) * width_ + x];
            *out++ = static_cast<uint8_t>(pixel >> 16);
            *out++ = static_cast<uint8_t>(pixel >> 8);
            *out++ = static_cast<uint8_t>(pixel);
        }
    if (!file_.Write(bytes.data(), bytes.size(), error)) return false;
    previous_.assign(pixels, pixels + static_cast<size_t>(width_) * height_);
    ++taken_;
    return true;
}

bool FrameRecorder::Finish(std::string* error) {
    uint8_t count[4];
    frame_file::PutU32(count, static_cast<uint32_t>(taken_));
    return file_.WriteAt(frame_file::kCountOffset, count, sizeof(count), error) &&
           file_.Commit(error);
}
