// <windows.h> stays in this file.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <string>

#include "record/record_file.h"
#include "regional/utf16_win.h"

namespace quorvel {
namespace {

HANDLE AsHandle(intptr_t handle) {
    return reinterpret_cast<HANDLE>(handle);
}

}  // namespace

bool RecordFile::Open(const std::string& path) {
    Close();
    // FILE_APPEND_DATA without FILE_WRITE_DATA: every write lands at the end of the file.
    const HANDLE file = CreateFileW(Widen(path).c_str(), FILE_APPEND_DATA | SYNCHRONIZE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    handle_ = reinterpret_cast<intptr_t>(file);
    return true;
}

bool RecordFile::Write(const char* bytes, size_t count) {
    if (!IsOpen()) return false;
    DWORD written = 0;
    return WriteFile(AsHandle(handle_), bytes, static_cast<DWORD>(count), &written, nullptr) &&
           written == count;
}

bool RecordFile::Sync() {
    return IsOpen() && FlushFileBuffers(AsHandle(handle_));
}

bool RecordFile::Close() {
    if (!IsOpen()) return true;
    const HANDLE file = AsHandle(handle_);
    handle_ = kNoHandle;
    return CloseHandle(file) != 0;
}

}  // namespace quorvel
