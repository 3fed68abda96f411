#include <errno.h>
#include <fcntl.h>
#include <unistd.h>

#include "record/record_file.h"

namespace quorvel {

bool RecordFile::Open(const std::string& path) {
    Close();
    const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    handle_ = fd;
    return true;
}

bool RecordFile::Write(const char* bytes, size_t count) {
    if (!IsOpen()) return false;
    while (count > 0) {
        const ssize_t written = ::write(static_cast<int>(handle_), bytes, count);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        bytes += written;
        count -= static_cast<size_t>(written);
    }
    return true;
}

bool RecordFile::Sync() {
    return IsOpen() && ::fdatasync(static_cast<int>(handle_)) == 0;
}

bool RecordFile::Close() {
    if (!IsOpen()) return true;
    const int fd = static_cast<int>(handle_);
    handle_ = kNoHandle;
    return ::close(fd) == 0;
}

}  // namespace quorvel
