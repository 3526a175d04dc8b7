#include "host/chronyx_host/png_output.h"

#include <windows.h>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#include <stb/stb_image_write.h>

namespace {

void Append(void* context, void* data, int size) {
    auto* out = static_cast<std::vector<uint8_t>*>(context);
    const auto* bytes = static_cast<const uint8_t*>(data);
    out->insert(out->end(), bytes, bytes + size);
}

std::string LastErrorText() {
    return "Windows error " + std::to_string(GetLastError());
}

bool MakeFolders(const std::string& path) {
    for (size_t at = path.find_first_of("/\\", 1); at != std::string::npos;
         at = path.find_first_of("/\\", at + 1)) {
        std::string folder = path.substr(0, at);
        if (folder.empty() || folder.back() == ':') continue;
        if (!CreateDirectoryA(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
            return false;
    }
    return true;
}

} // namespace

std::vector<uint8_t> EncodePng(const uint32_t* pixels, int32_t width, int32_t height) {
    std::vector<uint8_t> rgb(static_cast<size_t>(width) * height * 3);
    for (size_t i = 0; i < static_cast<size_t>(width) * height; ++i) {
        rgb[i * 3 + 0] = static_cast<uint8_t>(pixels[i] >> 16);
        rgb[i * 3 + 1] = static_cast<uint8_t>(pixels[i] >> 8);
        rgb[i * 3 + 2] = static_cast<uint8_t>(pixels[i]);
    }
    std::vector<uint8_t> png;
    stbi_write_png_to_func(Append, &png, width, height, 3, rgb.data(), width * 3);
    return png;
}

bool WriteFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes,
                         std::string* error) {
    if (!MakeFolders(path)) {
        *error = "cannot make the folder for " + path + " (" + LastErrorText() + ")";
        return false;
    }
    std::string temporary = path + ".tmp" + std::to_string(GetCurrentProcessId());
    HANDLE file = CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        *error = "cannot create " + temporary + " (" + LastErrorText() + ")";
        return false;
    }
    DWORD written = 0;
    bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
              written == bytes.size() && FlushFileBuffers(file);
    std::string why = ok ? "" : LastErrorText();
    CloseHandle(file);
    if (ok && !MoveFileExA(temporary.c_str(), path.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        ok = false;
        why = LastErrorText();
    }
    if (!ok) {
        DeleteFileA(temporary.c_str());
        *error = "cannot write " + path + " (" + why + ")";
    }
    return ok;
}
