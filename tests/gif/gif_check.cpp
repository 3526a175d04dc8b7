// chronyx-gif-check: reads an animated GIF with a second reader (stb_image,
// not giflib) and checks it against what a test expects of it. Prints what
// differs and exits 1, or exits 0.
//
//   chronyx-gif-check GIF [--size W H] [--frames N] [--delay HUNDREDTHS]
//                         [--same FRAME PNG]... [--changes F,F,...|none]
//                         [--track RRGGBB]
//
// --same: frame FRAME has the pixels of PNG. --changes: the frames that
// differ from the frame before them; every other frame equals the one
// before. --track: the pixels of that colour move at exactly those frames.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <utility>
#include <vector>

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_ONLY_GIF
#include <stb/stb_image.h>

namespace {

int g_failures = 0;

void Fail(const std::string& message) {
    std::fprintf(stderr, "chronyx-gif-check: %s\n", message.c_str());
    ++g_failures;
}

struct Animation {
    int width = 0, height = 0, frames = 0;
    std::vector<int> delays;      // milliseconds, as stb_image gives them
    std::vector<uint32_t> pixels; // 0xRRGGBB, frame after frame
    const uint32_t* Frame(int i) const {
        return pixels.data() + static_cast<size_t>(i) * width * height;
    }
};

std::vector<uint32_t> ToRgb(const unsigned char* rgba, size_t count) {
    std::vector<uint32_t> out(count);
    for (size_t i = 0; i < count; ++i)
        out[i] = (rgba[i * 4] << 16) | (rgba[i * 4 + 1] << 8) | rgba[i * 4 + 2];
    return out;
}

bool LoadGif(const char* path, Animation* animation) {
    std::ifstream in(path, std::ios::binary);
    std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)),
                                     std::istreambuf_iterator<char>());
    int* delays = nullptr;
    int comp = 0;
    unsigned char* rgba = stbi_load_gif_from_memory(bytes.data(), static_cast<int>(bytes.size()),
                                                    &delays, &animation->width, &animation->height,
                                                    &animation->frames, &comp, 4);
    if (!rgba) return false;
    animation->delays.assign(delays, delays + animation->frames);
    animation->pixels =
        ToRgb(rgba, static_cast<size_t>(animation->width) * animation->height * animation->frames);
    stbi_image_free(rgba);
    stbi_image_free(delays);
    return true;
}

std::set<int> ReadList(const char* text) {
    std::set<int> list;
    if (std::strcmp(text, "none") == 0) return list;
    for (const char* at = text; *at;) {
        char* end = nullptr;
        list.insert(static_cast<int>(std::strtol(at, &end, 10)));
        at = *end == ',' ? end + 1 : end;
        if (end == at && *at) break;
    }
    return list;
}

bool Differ(const Animation& a, int i, int j, uint32_t* only) {
    size_t count = static_cast<size_t>(a.width) * a.height;
    for (size_t p = 0; p < count; ++p) {
        uint32_t x = a.Frame(i)[p], y = a.Frame(j)[p];
        if (x == y) continue;
        if (!only || x == *only || y == *only) return true;
    }
    return false;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fputs("usage: chronyx-gif-check GIF [checks] (see the source)\n", stderr);
        return 2;
    }
    Animation gif;
    if (!LoadGif(argv[1], &gif)) {
        Fail(std::string(argv[1]) + ": not a GIF that stb_image reads (" + stbi_failure_reason() +
             ")");
        return 1;
    }
    std::set<int> changes;
    bool checkChanges = false;
    uint32_t tracked = 0;
    bool track = false;
    for (int i = 2; i < argc; ++i) {
        std::string option = argv[i];
        auto need = [&](int count) {
            if (i + count >= argc) {
                std::fprintf(stderr, "chronyx-gif-check: %s needs %d values\n", option.c_str(),
                             count);
                std::exit(2);
            }
        };
        if (option == "--size") {
            need(2);
            int w = std::atoi(argv[++i]), h = std::atoi(argv[++i]);
            if (w != gif.width || h != gif.height)
                Fail("size " + std::to_string(gif.width) + " x " + std::to_string(gif.height) +
                     ", expected " + std::to_string(w) + " x " + std::to_string(h));
        } else if (option == "--frames") {
            need(1);
            int n = std::atoi(argv[++i]);
            if (n != gif.frames)
                Fail(std::to_string(gif.frames) + " frames, expected " + std::to_string(n));
        } else if (option == "--delay") {
            need(1);
            int hundredths = std::atoi(argv[++i]);
            for (int f = 0; f < gif.frames; ++f)
                if (gif.delays[f] != hundredths * 10)
                    Fail("frame " + std::to_string(f) + " shows for " +
                         std::to_string(gif.delays[f]) + " ms, expected " +
                         std::to_string(hundredths * 10));
        } else if (option == "--same") {
            need(2);
            int frame = std::atoi(argv[++i]);
            const char* png = argv[++i];
            int w = 0, h = 0, comp = 0;
            unsigned char* rgba = stbi_load(png, &w, &h, &comp, 4);
            if (!rgba) {
                Fail(std::string(png) + ": cannot be read");
                continue;
            }
            std::vector<uint32_t> expected = ToRgb(rgba, static_cast<size_t>(w) * h);
            stbi_image_free(rgba);
            if (frame < 0 || frame >= gif.frames || w != gif.width || h != gif.height) {
                Fail(std::string(png) + ": no frame " + std::to_string(frame) + " of its size");
                continue;
            }
            size_t wrong = 0, first = 0;
            for (size_t p = 0; p < expected.size(); ++p)
                if (expected[p] != gif.Frame(frame)[p] && wrong++ == 0) first = p;
            if (wrong)
                Fail("frame " + std::to_string(frame) + " differs from " + png + " at " +
                     std::to_string(wrong) + " pixels, first at (" + std::to_string(first % w) +
                     ", " + std::to_string(first / w) + ")");
        } else if (option == "--changes") {
            need(1);
            changes = ReadList(argv[++i]);
            checkChanges = true;
        } else if (option == "--track") {
            need(1);
            tracked = static_cast<uint32_t>(std::strtoul(argv[++i], nullptr, 16));
            track = true;
        } else {
            std::fprintf(stderr, "chronyx-gif-check: unknown option %s\n", option.c_str());
            return 2;
        }
    }
    for (int f = 1; checkChanges && f < gif.frames; ++f) {
        bool expected = changes.count(f) != 0;
        if (Differ(gif, f - 1, f, nullptr) != expected)
            Fail("frame " + std::to_string(f) + (expected ? " equals" : " differs from") +
                 " the frame before it");
        if (track && Differ(gif, f - 1, f, &tracked) != expected)
            Fail(std::string("the pixels of the tracked colour ") +
                 (expected ? "stay still" : "move") + " at frame " + std::to_string(f));
    }
    return g_failures ? 1 : 0;
}
