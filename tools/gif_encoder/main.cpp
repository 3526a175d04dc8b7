// chronyx-gif: turns a frame file left by the reference host into an
// animated GIF. Exit status 0 when written, 2 for a missing or bad frame
// file, 1 when the GIF cannot be written; nothing is left half written.
#include <cstdio>
#include <cstring>
#include <string>

#include "tools/gif_encoder/frame_file_reader.h"
#include "tools/gif_encoder/gif_writer.h"

namespace {

const char kUsage[] = "usage: chronyx-gif FRAMES [GIF]\n"
                      "\n"
                      "Writes the frames of FRAMES (a frame file of chronyx-host --record)\n"
                      "as an animated GIF: to GIF, or by default to FRAMES less its\n"
                      "\".frames\" ending. The palette is exact wherever a frame has at\n"
                      "most 256 colours.\n";

const char kEnding[] = ".frames";

int Fail(int status, const std::string& file, const std::string& message) {
    std::fprintf(stderr, "chronyx-gif: %s: %s\n", file.c_str(), message.c_str());
    return status;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (argc < 2 || argc > 3 || argv[1][0] == '-') {
        std::fputs(kUsage, stderr);
        return 2;
    }
    std::string input = argv[1];
    std::string output;
    if (argc == 3) {
        output = argv[2];
    } else {
        size_t ending = std::strlen(kEnding);
        if (input.size() <= ending || input.compare(input.size() - ending, ending, kEnding) != 0)
            return Fail(2, input, "name the GIF, or give a file whose name ends in .frames");
        output = input.substr(0, input.size() - ending);
    }
    FrameRecording recording;
    std::string error;
    if (!ReadFrameFile(input, &recording, &error)) return Fail(2, input, error);
    GifReport report;
    if (!WriteGif(recording, output, &report, &error)) return Fail(1, output, error);
    std::printf("%s: %u x %u, %zu frames, %s palette%s\n", output.c_str(), recording.width,
                recording.height, report.frames, report.globalPalette ? "one" : "a frame's own",
                report.quantised
                    ? (", " + std::to_string(report.quantised) + " frames quantised").c_str()
                    : "");
    return 0;
}
