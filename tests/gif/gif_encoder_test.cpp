// The encoder end to end: frame files made here byte by byte, written as
// GIFs by giflib, and read back by stb_image, a reader that shares no code
// with the writer.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <dirent.h>
#include <string>
#include <vector>

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_GIF
#include <stb/stb_image.h>

#include "base/frame_file_format.h"
#include "tools/gif_encoder/frame_file_reader.h"
#include "tools/gif_encoder/gif_writer.h"

namespace {

struct Part {
    uint32_t delay, x, y, w, h;
    std::vector<uint32_t> pixels; // 0xRRGGBB
};

std::vector<uint8_t> FrameFile(uint32_t width, uint32_t height, const std::vector<Part>& parts,
                               int32_t count = -1) {
    std::vector<uint8_t> bytes(frame_file::kHeaderSize);
    std::copy(std::begin(frame_file::kMagic), std::end(frame_file::kMagic), bytes.begin());
    frame_file::PutU32(&bytes[8], frame_file::kVersion);
    frame_file::PutU32(&bytes[12], width);
    frame_file::PutU32(&bytes[16], height);
    frame_file::PutU32(&bytes[20], count < 0 ? static_cast<uint32_t>(parts.size()) : count);
    for (const Part& part : parts) {
        uint8_t header[frame_file::kFrameHeaderSize];
        const uint32_t fields[] = {part.delay, part.x, part.y, part.w, part.h};
        for (int i = 0; i < 5; ++i)
            frame_file::PutU32(header + i * 4, fields[i]);
        bytes.insert(bytes.end(), header, header + sizeof(header));
        for (uint32_t pixel : part.pixels)
            for (int shift : {16, 8, 0})
                bytes.push_back(static_cast<uint8_t>(pixel >> shift));
    }
    return bytes;
}

struct Decoded {
    int width = 0, height = 0, frames = 0;
    std::vector<int> delays;      // milliseconds
    std::vector<uint32_t> pixels; // every frame whole, 0xRRGGBB
    uint32_t At(int frame, int x, int y) const {
        return pixels[(static_cast<size_t>(frame) * height + y) * width + x];
    }
};

Decoded Decode(const std::string& path) {
    Decoded out;
    FILE* file = std::fopen(path.c_str(), "rb");
    EXPECT_NE(file, nullptr) << path;
    if (!file) return out;
    std::vector<unsigned char> bytes;
    int c;
    while ((c = std::fgetc(file)) != EOF)
        bytes.push_back(static_cast<unsigned char>(c));
    std::fclose(file);
    int* delays = nullptr;
    int comp = 0;
    unsigned char* rgba =
        stbi_load_gif_from_memory(bytes.data(), static_cast<int>(bytes.size()), &delays, &out.width,
                                  &out.height, &out.frames, &comp, 4);
    EXPECT_NE(rgba, nullptr) << stbi_failure_reason();
    if (!rgba) return out;
    out.delays.assign(delays, delays + out.frames);
    size_t count = static_cast<size_t>(out.width) * out.height * out.frames;
    for (size_t i = 0; i < count; ++i)
        out.pixels.push_back((rgba[i * 4] << 16) | (rgba[i * 4 + 1] << 8) | rgba[i * 4 + 2]);
    stbi_image_free(rgba);
    stbi_image_free(delays);
    return out;
}

class GifEncoding : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/chronyx-gif-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder_ = pattern;
    }
    void TearDown() override {
        for (const std::string& name : Files())
            std::remove((folder_ + "/" + name).c_str());
        rmdir(folder_.c_str());
    }
    std::vector<std::string> Files() const {
        std::vector<std::string> names;
        if (DIR* dir = opendir(folder_.c_str())) {
            while (dirent* entry = readdir(dir))
                if (entry->d_name[0] != '.') names.push_back(entry->d_name);
            closedir(dir);
        }
        return names;
    }
    GifReport Encode(const std::vector<uint8_t>& bytes) {
        FrameRecording recording;
        std::string error;
        EXPECT_TRUE(ParseFrameFile(bytes, &recording, &error)) << error;
        GifReport report;
        EXPECT_TRUE(WriteGif(recording, Path(), &report, &error)) << error;
        return report;
    }
    std::string Path() const { return folder_ + "/out.gif"; }

    std::string folder_;
};

std::vector<uint32_t> Fill(size_t count, uint32_t colour) {
    return std::vector<uint32_t>(count, colour);
}

TEST_F(GifEncoding, FewColoursComeBackExactlyWithEachFramesDelayAndPlace) {
    // A 6 x 4 picture: two colours, then a 2 x 2 corner repainted in a
    // third, then a frame that changed nowhere.
    std::vector<uint32_t> first = Fill(24, 0xF4F1E8);
    first[7] = 0x1D3557;
    Part parts[] = {
        {4, 0, 0, 6, 4, first}, {3, 4, 2, 2, 2, Fill(4, 0xE63946)}, {7, 0, 0, 1, 1, {0xF4F1E8}}};
    GifReport report = Encode(FrameFile(6, 4, {parts[0], parts[1], parts[2]}));
    EXPECT_TRUE(report.globalPalette);
    EXPECT_EQ(report.quantised, 0u);
    Decoded gif = Decode(Path());
    ASSERT_EQ(gif.frames, 3);
    EXPECT_EQ(gif.width, 6);
    EXPECT_EQ(gif.height, 4);
    EXPECT_EQ(gif.delays, (std::vector<int>{40, 30, 70}));
    for (int frame = 0; frame < 3; ++frame)
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 6; ++x) {
                uint32_t expected = first[y * 6 + x];
                if (frame > 0 && x >= 4 && y >= 2) expected = 0xE63946;
                EXPECT_EQ(gif.At(frame, x, y), expected)
                    << "frame " << frame << " (" << x << ", " << y << ")";
            }
    EXPECT_EQ(Files(), std::vector<std::string>{"out.gif"}) << "a temporary file was left";
}

TEST_F(GifEncoding, FramesOfFewColoursStayExactWhenTogetherTheyHaveMore) {
    // 200 greys, then 200 blues: 400 colours in all, at most 200 a frame.
    std::vector<uint32_t> greys, blues;
    for (uint32_t i = 0; i < 200; ++i) {
        greys.push_back(i * 0x010101);
        blues.push_back(i);
    }
    GifReport report =
        Encode(FrameFile(20, 10, {{5, 0, 0, 20, 10, greys}, {5, 0, 0, 20, 10, blues}}));
    EXPECT_FALSE(report.globalPalette);
    EXPECT_EQ(report.quantised, 0u);
    Decoded gif = Decode(Path());
    ASSERT_EQ(gif.frames, 2);
    for (int i = 0; i < 200; ++i) {
        EXPECT_EQ(gif.At(0, i % 20, i / 20), greys[i]);
        EXPECT_EQ(gif.At(1, i % 20, i / 20), blues[i]);
    }
}

TEST_F(GifEncoding, AFrameOfManyColoursIsQuantisedCloseToItsPixels) {
    std::vector<uint32_t> ramp;
    for (uint32_t i = 0; i < 64 * 64; ++i)
        ramp.push_back(((i % 64) * 4) << 16 | ((i / 64) * 4) << 8 | 0x80);
    GifReport report = Encode(FrameFile(64, 64, {{2, 0, 0, 64, 64, ramp}}));
    EXPECT_EQ(report.quantised, 1u);
    Decoded gif = Decode(Path());
    ASSERT_EQ(gif.frames, 1);
    int worst = 0;
    double total = 0;
    for (int i = 0; i < 64 * 64; ++i)
        for (int shift : {16, 8, 0}) {
            int a = (gif.At(0, i % 64, i / 64) >> shift) & 0xFF, b = (ramp[i] >> shift) & 0xFF;
            worst = std::max(worst, std::abs(a - b));
            total += std::abs(a - b);
        }
    // 4096 colours of a smooth ramp into 256: a 16-level grid would be off by
    // 8 at most; median cut is coarser in places.
    EXPECT_LE(total / (64 * 64 * 3), 8.0);
    EXPECT_LE(worst, 40);
}

TEST(FrameFile, BadFilesAreRefusedWithTheReason) {
    Part whole{4, 0, 0, 2, 2, Fill(4, 0)};
    std::vector<uint8_t> good = FrameFile(2, 2, {whole});
    std::vector<uint8_t> badMagic = good, badVersion = good, extra = good, cut = good;
    badMagic[0] = 'X';
    badVersion[8] = 2;
    extra.push_back(0);
    cut.pop_back();
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
        const char* reason;
    };
    const Case cases[] = {
        {"empty", {}, "not a frame file"},
        {"wrong magic", badMagic, "not a frame file"},
        {"other version", badVersion, "version 2"},
        {"no frames", FrameFile(2, 2, {}), "no frames"},
        {"zero width", FrameFile(0, 2, {whole}), "a picture of 0 x 2"},
        {"too tall", FrameFile(2, 8193, {whole}), "a picture of 2 x 8193"},
        {"first frame partial", FrameFile(2, 2, {{4, 0, 0, 1, 2, Fill(2, 0)}}), "whole picture"},
        {"rectangle outside", FrameFile(2, 2, {whole, {4, 1, 1, 2, 1, Fill(2, 0)}}),
         "frame 1: its rectangle"},
        {"empty rectangle", FrameFile(2, 2, {whole, {4, 0, 0, 0, 0, {}}}),
         "frame 1: its rectangle"},
        {"pixels cut short", cut, "frame 0: cut short"},
        {"count beyond the frames", FrameFile(2, 2, {whole}, 2), "frame 1: cut short"},
        {"bytes after the frames", extra, "bytes after the last frame"},
        {"delay too long", FrameFile(2, 2, {{70000, 0, 0, 2, 2, Fill(4, 0)}}), "a delay"},
    };
    for (const Case& c : cases) {
        FrameRecording recording;
        std::string error;
        EXPECT_FALSE(ParseFrameFile(c.bytes, &recording, &error)) << c.name;
        EXPECT_NE(error.find(c.reason), std::string::npos) << c.name << ": " << error;
        EXPECT_TRUE(recording.frames.empty()) << c.name;
    }
}

TEST_F(GifEncoding, AGifThatCannotBeWrittenLeavesNothing) {
    FrameRecording recording;
    std::string error;
    ASSERT_TRUE(ParseFrameFile(FrameFile(2, 2, {{4, 0, 0, 2, 2, Fill(4, 0)}}), &recording, &error));
    GifReport report;
    EXPECT_FALSE(WriteGif(recording, folder_ + "/no/such/folder/out.gif", &report, &error));
    EXPECT_NE(error.find("cannot write"), std::string::npos) << error;
    EXPECT_TRUE(Files().empty());
}

} // namespace
