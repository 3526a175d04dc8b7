#include "tools/gif_encoder/gif_writer.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include <gif_lib.h>

#include "tools/gif_encoder/palette.h"

namespace {

struct MapDeleter {
    void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};
using ColourMap = std::unique_ptr<ColorMapObject, MapDeleter>;

// giflib wants a power of two entries; the extra ones are never used.
ColourMap MakeMap(const std::vector<uint32_t>& colours) {
    int size = 2;
    while (size < static_cast<int>(colours.size()))
        size *= 2;
    std::vector<GifColorType> entries(size, GifColorType{0, 0, 0});
    for (size_t i = 0; i < colours.size(); ++i)
        entries[i] = GifColorType{static_cast<GifByteType>(colours[i] >> 16),
                                  static_cast<GifByteType>(colours[i] >> 8),
                                  static_cast<GifByteType>(colours[i])};
    return ColourMap(GifMakeMapObject(size, entries.data()));
}

// Plays forever.
bool PutLoop(GifFileType* gif) {
    static const GifByteType kName[] = "NETSCAPE2.0";
    static const GifByteType kLoop[] = {1, 0, 0};
    return EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) == GIF_OK &&
           EGifPutExtensionBlock(gif, 11, kName) == GIF_OK &&
           EGifPutExtensionBlock(gif, sizeof(kLoop), kLoop) == GIF_OK &&
           EGifPutExtensionTrailer(gif) == GIF_OK;
}

bool PutFrame(GifFileType* gif, const FramePart& part, const std::vector<uint8_t>& indices,
              const ColorMapObject* localMap) {
    GraphicsControlBlock control{};
    control.DisposalMode = DISPOSE_DO_NOT; // the next frame is drawn over this one
    control.DelayTime = static_cast<int>(part.delay);
    control.TransparentColor = NO_TRANSPARENT_COLOR;
    GifByteType extension[4];
    size_t length = EGifGCBToExtension(&control, extension);
    if (EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension) !=
            GIF_OK ||
        EGifPutImageDesc(gif, static_cast<int>(part.x), static_cast<int>(part.y),
                         static_cast<int>(part.w), static_cast<int>(part.h), false,
                         localMap) != GIF_OK)
        return false;
    for (uint32_t row = 0; row < part.h; ++row)
        if (EGifPutLine(gif, const_cast<GifPixelType*>(&indices[static_cast<size_t>(row) * part.w]),
                        static_cast<int>(part.w)) != GIF_OK)
            return false;
    return true;
}

bool Encode(const FrameRecording& recording, const std::string& file, GifReport* report,
            std::string* error) {
    std::vector<uint32_t> shared;
    bool global = true;
    for (const FramePart& part : recording.frames)
        if (!(global = CollectColours(part.rgb, &shared))) break;
    ColourMap globalMap;
    if (global) {
        std::sort(shared.begin(), shared.end());
        globalMap = MakeMap(shared);
    }
    int status = 0;
    // giflib's own open makes files only their owner may read.
    int handle = open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
    if (handle < 0) {
        *error = std::strerror(errno);
        return false;
    }
    GifFileType* gif = EGifOpenFileHandle(handle, &status);
    if (!gif) {
        close(handle);
        *error = GifErrorString(status);
        return false;
    }
    EGifSetGifVersion(gif, true);
    bool ok =
        EGifPutScreenDesc(gif, static_cast<int>(recording.width),
                          static_cast<int>(recording.height), 8, 0, globalMap.get()) == GIF_OK &&
        PutLoop(gif);
    report->globalPalette = global;
    for (size_t i = 0; ok && i < recording.frames.size(); ++i) {
        const FramePart& part = recording.frames[i];
        if (global) {
            ok = PutFrame(gif, part, IndexPixels(part.rgb, shared), nullptr);
            continue;
        }
        IndexedPart indexed = IndexPart(part.rgb, part.w, part.h);
        if (indexed.colours.empty()) {
            *error = "cannot find the colours of frame " + std::to_string(i);
            ok = false;
            break;
        }
        if (indexed.quantised) {
            ++report->quantised;
            std::fprintf(stderr, "chronyx-gif: frame %zu has more than 256 colours: quantised\n",
                         i);
        }
        ColourMap map = MakeMap(indexed.colours);
        ok = PutFrame(gif, part, indexed.indices, map.get());
    }
    if (!ok && error->empty()) *error = GifErrorString(gif->Error);
    if (EGifCloseFile(gif, &status) != GIF_OK && ok) {
        *error = GifErrorString(status);
        ok = false;
    }
    report->frames = ok ? recording.frames.size() : 0;
    return ok;
}

} // namespace

bool WriteGif(const FrameRecording& recording, const std::string& path, GifReport* report,
              std::string* error) {
    *report = GifReport{};
    std::string temporary = path + ".tmp" + std::to_string(getpid());
    std::string why;
    if (!Encode(recording, temporary, report, &why)) {
        std::remove(temporary.c_str());
        *error = "cannot write " + path + " (" + why + ")";
        return false;
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        *error = "cannot write " + path + " (" + std::strerror(errno) + ")";
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}
