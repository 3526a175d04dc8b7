#include "tools/gif_encoder/frame_file_reader.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

#include "base/frame_file_format.h"

bool ReadFrameFile(const std::string& path, FrameRecording* recording, std::string* error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        *error = std::strerror(errno);
        return false;
    }
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                               std::istreambuf_iterator<char>());
    if (in.bad()) {
        *error = "read error";
        return false;
    }
    return ParseFrameFile(bytes, recording, error);
}

bool ParseFrameFile(const std::vector<uint8_t>& bytes, FrameRecording* recording,
                    std::string* error) {
    using namespace frame_file;
    *recording = FrameRecording{};
    auto refuse = [&](const std::string& why) {
        *error = why;
        *recording = FrameRecording{};
        return false;
    };
    if (bytes.size() < kHeaderSize || std::memcmp(bytes.data(), kMagic, sizeof(kMagic)) != 0)
        return refuse("not a frame file");
    if (GetU32(&bytes[8]) != kVersion)
        return refuse("frame file version " + std::to_string(GetU32(&bytes[8])) + ", expected " +
                      std::to_string(kVersion));
    recording->width = GetU32(&bytes[12]);
    recording->height = GetU32(&bytes[16]);
    uint32_t count = GetU32(&bytes[kCountOffset]);
    if (recording->width < 1 || recording->width > kMaxSide || recording->height < 1 ||
        recording->height > kMaxSide)
        return refuse("a picture of " + std::to_string(recording->width) + " x " +
                      std::to_string(recording->height) + " pixels");
    if (count == 0) return refuse("no frames");
    size_t at = kHeaderSize;
    for (uint32_t i = 0; i < count; ++i) {
        std::string which = "frame " + std::to_string(i) + ": ";
        if (bytes.size() - at < kFrameHeaderSize) return refuse(which + "cut short");
        FramePart part{GetU32(&bytes[at]),      GetU32(&bytes[at + 4]),  GetU32(&bytes[at + 8]),
                       GetU32(&bytes[at + 12]), GetU32(&bytes[at + 16]), {}};
        at += kFrameHeaderSize;
        if (part.w < 1 || part.h < 1 || part.x >= recording->width || part.y >= recording->height ||
            part.w > recording->width - part.x || part.h > recording->height - part.y)
            return refuse(which + "its rectangle is not inside the picture");
        if (i == 0 && (part.w != recording->width || part.h != recording->height))
            return refuse(which + "the first frame must cover the whole picture");
        if (part.delay > 0xFFFF) return refuse(which + "a delay longer than a GIF can hold");
        size_t size = static_cast<size_t>(part.w) * part.h * 3;
        if (bytes.size() - at < size) return refuse(which + "cut short");
        part.rgb.assign(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                        bytes.begin() + static_cast<std::ptrdiff_t>(at + size));
        at += size;
        recording->frames.push_back(std::move(part));
    }
    if (at != bytes.size()) return refuse("bytes after the last frame");
    return true;
}
