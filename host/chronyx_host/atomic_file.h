// Files that a reader never finds half written: the bytes go to a temporary
// name beside the target, which is renamed over it only when complete.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// A file written in pieces. Nothing appears under `path` until Commit.
class AtomicFile {
  public:
    AtomicFile() = default;
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;
    ~AtomicFile() { Abandon(); }

    // Creates the folders on the way to `path` as needed.
    bool Open(const std::string& path, std::string* error);
    bool Write(const void* bytes, size_t size, std::string* error);
    bool WriteAt(uint32_t offset, const void* bytes, size_t size, std::string* error);
    bool Commit(std::string* error);
    // Drops the temporary file; harmless when nothing is open.
    void Abandon();
    bool IsOpen() const { return file_ != INVALID_HANDLE_VALUE; }

  private:
    bool Fail(const std::string& what, std::string* error);

    std::string path_, temporary_;
    HANDLE file_ = INVALID_HANDLE_VALUE;
};

bool WriteFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes,
                         std::string* error);
