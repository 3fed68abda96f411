#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace quorvel {

// A measurement file opened for appending. Every Write goes to the operating system at
// once with a single call, so a failed write (disk full) costs exactly that record and a
// crash of the program costs nothing written so far. Sync asks the OS to put the data on
// the disk.
class RecordFile {
  public:
    RecordFile() = default;
    RecordFile(const RecordFile&) = delete;
    RecordFile& operator=(const RecordFile&) = delete;
    ~RecordFile() { Close(); }

    // Opens `path` (UTF-8) for appending, creating it when missing.
    bool Open(const std::string& path);
    bool Write(const char* bytes, size_t count);
    bool Sync();
    bool Close();  // true when nothing was open or the close succeeded
    bool IsOpen() const { return handle_ != kNoHandle; }

  private:
    static constexpr intptr_t kNoHandle = -1;
    intptr_t handle_ = kNoHandle;  // a file descriptor, or a Windows HANDLE
};

}  // namespace quorvel
