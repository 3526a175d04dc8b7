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

bool Differ(const Animation& a, int i, int j, const uint32_t* only) {
    size_t count = static_cast<size_t>(a.width) * a.height;
    for (size_t p = 0; p < count; ++p) {
        uint32_t x = a.Frame(i)[p], y = a.Frame(j)[p];
        if (x == y) continue;
        if (!only || x == *only || y == *only) return true;
    }
    return false;
}

// What the options ask of the frames' changes, checked once all are read.
struct ChangeChecks {
    std::set<int> changes;
    bool checkChanges = false;
    uint32_t tracked = 0;
    bool track = false;
};

void CheckSize(const Animation& gif, char** values, ChangeChecks*) {
    int w = std::atoi(values[0]), h = std::atoi(values[1]);
    if (w != gif.width || h != gif.height)
        Fail("size " + std::to_string(gif.width) + " x " + std::to_string(gif.height) +
             ", expected " + std::to_string(w) + " x " + std::to_string(h));
}

void CheckFrameCount(const Animation& gif, char** values, ChangeChecks*) {
    int n = std::atoi(values[0]);
    if (n != gif.frames)
        Fail(std::to_string(gif.frames) + " frames, expected " + std::to_string(n));
}

void CheckDelay(const Animation& gif, char** values, ChangeChecks*) {
    int hundredths = std::atoi(values[0]);
    for (int f = 0; f < gif.frames; ++f)
        if (gif.delays[f] != hundredths * 10)
            Fail("frame " + std::to_string(f) + " shows for " + std::to_string(gif.delays[f]) +
                 " ms, expected " + std::to_string(hundredths * 10));
}

void CheckSame(const Animation& gif, char** values, ChangeChecks*) {
    int frame = std::atoi(values[0]);
    const char* png = values[1];
    int w = 0, h = 0, comp = 0;
    unsigned char* rgba = stbi_load(png, &w, &h, &comp, 4);
    if (!rgba) {
        Fail(std::string(png) + ": cannot be read");
        return;
    }
    std::vector<uint32_t> expected = ToRgb(rgba, static_cast<size_t>(w) * h);
    stbi_image_free(rgba);
    if (frame < 0 || frame >= gif.frames || w != gif.width || h != gif.height) {
        Fail(std::string(png) + ": no frame " + std::to_string(frame) + " of its size");
        return;
    }
    size_t wrong = 0, first = 0;
    for (size_t p = 0; p < expected.size(); ++p)
        if (expected[p] != gif.Frame(frame)[p] && wrong++ == 0) first = p;
    if (wrong)
        Fail("frame " + std::to_string(frame) + " differs from " + png + " at " +
             std::to_string(wrong) + " pixels, first at (" + std::to_string(first % w) + ", " +
             std::to_string(first / w) + ")");
}

void ReadChanges(const Animation&, char** values, ChangeChecks* checks) {
    checks->changes = ReadList(values[0]);
    checks->checkChanges = true;
}

void ReadTrack(const Animation&, char** values, ChangeChecks* checks) {
    checks->tracked = static_cast<uint32_t>(std::strtoul(values[0], nullptr, 16));
    checks->track = true;
}

struct Option {
    const char* name;
    int values;
    void (*apply)(const Animation& gif, char** values, ChangeChecks* checks);
};

const Option kOptions[] = {
    {"--size", 2, CheckSize}, {"--frames", 1, CheckFrameCount}, {"--delay", 1, CheckDelay},
    {"--same", 2, CheckSame}, {"--changes", 1, ReadChanges},    {"--track", 1, ReadTrack},
};

void CheckChanges(const Animation& gif, const ChangeChecks& checks) {
    for (int f = 1; checks.checkChanges && f < gif.frames; ++f) {
        bool expected = checks.changes.count(f) != 0;
        if (Differ(gif, f - 1, f, nullptr) != expected)
            Fail("frame " + std::to_string(f) + (expected ? " equals" : " differs from") +
                 " the frame before it");
        if (checks.track && Differ(gif, f - 1, f, &checks.tracked) != expected)
            Fail(std::string("the pixels of the tracked colour ") +
                 (expected ? "stay still" : "move") + " at frame " + std::to_string(f));
    }
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
    ChangeChecks checks;
    for (int i = 2; i < argc; ++i) {
        const Option* option = nullptr;
        for (const Option& o : kOptions)
            if (std::strcmp(argv[i], o.name) == 0) option = &o;
        if (!option) {
            std::fprintf(stderr, "chronyx-gif-check: unknown option %s\n", argv[i]);
            return 2;
        }
        if (i + option->values >= argc) {
            std::fprintf(stderr, "chronyx-gif-check: %s needs %d values\n", option->name,
                         option->values);
            return 2;
        }
        option->apply(gif, argv + i + 1, &checks);
        i += option->values;
    }
    CheckChanges(gif, checks);
    return g_failures ? 1 : 0;
}
