#include "host/chronyx_host/atomic_file.h"

namespace {

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

bool AtomicFile::Open(const std::string& path, std::string* error) {
    Abandon();
    path_ = path;
    if (!MakeFolders(path)) {
        *error = "cannot make the folder for " + path + " (" + LastErrorText() + ")";
        return false;
    }
    temporary_ = path + ".tmp" + std::to_string(GetCurrentProcessId());
    file_ = CreateFileA(temporary_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                        FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file_ == INVALID_HANDLE_VALUE) {
        *error = "cannot create " + temporary_ + " (" + LastErrorText() + ")";
        return false;
    }
    return true;
}

bool AtomicFile::Fail(const std::string& what, std::string* error) {
    *error = "cannot write " + path_ + " (" + what + ")";
    Abandon();
    return false;
}

bool AtomicFile::Write(const void* bytes, size_t size, std::string* error) {
    DWORD written = 0;
    if (!WriteFile(file_, bytes, static_cast<DWORD>(size), &written, nullptr) || written != size)
        return Fail(LastErrorText(), error);
    return true;
}

bool AtomicFile::WriteAt(uint32_t offset, const void* bytes, size_t size, std::string* error) {
    LARGE_INTEGER at, end;
    at.QuadPart = offset;
    if (!SetFilePointerEx(file_, LARGE_INTEGER{}, &end, FILE_CURRENT) ||
        !SetFilePointerEx(file_, at, nullptr, FILE_BEGIN))
        return Fail(LastErrorText(), error);
    if (!Write(bytes, size, error)) return false;
    if (!SetFilePointerEx(file_, end, nullptr, FILE_BEGIN)) return Fail(LastErrorText(), error);
    return true;
}

bool AtomicFile::Commit(std::string* error) {
    if (!FlushFileBuffers(file_)) return Fail(LastErrorText(), error);
    CloseHandle(file_);
    file_ = INVALID_HANDLE_VALUE;
    if (!MoveFileExA(temporary_.c_str(), path_.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        std::string why = LastErrorText();
        DeleteFileA(temporary_.c_str());
        *error = "cannot write " + path_ + " (" + why + ")";
        return false;
    }
    return true;
}

void AtomicFile::Abandon() {
    if (file_ == INVALID_HANDLE_VALUE) return;
    CloseHandle(file_);
    file_ = INVALID_HANDLE_VALUE;
    DeleteFileA(temporary_.c_str());
}

bool WriteFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes,
                         std::string* error) {
    AtomicFile file;
    return file.Open(path, error) && file.Write(bytes.data(), bytes.size(), error) &&
           file.Commit(error);
}
