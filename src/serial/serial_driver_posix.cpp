// Serial ports on Linux: termios, with poll() standing in for WaitCommEvent.
#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <string.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

#include "serial/serial_driver.h"

namespace quorvel {
namespace {

// The one place that turns errno into the component's error code and text.
void DescribeError(int error, DriverOpenResult& result) {
    result.errorCode = static_cast<uint32_t>(error);
    std::string text = strerror(error);
    while (!text.empty() && (static_cast<unsigned char>(text.back()) <= 32 || text.back() == '.')) {
        text.pop_back();
    }
    result.errorText = text;
}

speed_t SpeedFor(uint32_t baud) {
    struct Rate {
        uint32_t baud;
        speed_t speed;
    };
    static constexpr Rate kRates[] = {
        {50, B50},       {75, B75},         {110, B110},       {134, B134},       {150, B150},
        {200, B200},     {300, B300},       {600, B600},       {1200, B1200},     {1800, B1800},
        {2400, B2400},   {4800, B4800},     {9600, B9600},     {19200, B19200},   {38400, B38400},
        {57600, B57600}, {115200, B115200}, {230400, B230400}, {460800, B460800}, {921600, B921600},
    };
    for (const Rate& r : kRates) {
        if (r.baud == baud) return r.speed;
    }
    return B115200;
}

class PosixSerialDriver final : public SerialDriver {
  public:
    PosixSerialDriver(int fd, int wakeRead, int wakeWrite)
        : fd_(fd), wakeRead_(wakeRead), wakeWrite_(wakeWrite) {}

    ~PosixSerialDriver() override {
        Close();
        ::close(wakeRead_);
        ::close(wakeWrite_);
    }

    void Setup(const Dcb& dcb, uint16_t, uint16_t, const CommTimeouts&) override { SetLine(dcb); }

    void SetLine(const Dcb& dcb) override {
        std::lock_guard lock(mutex_);
        if (fd_ < 0) return;
        termios tio{};
        if (tcgetattr(fd_, &tio) != 0) return;  // a rejected setting leaves the port as it is
        cfmakeraw(&tio);
        tio.c_cflag |= CLOCAL | CREAD;
        tio.c_cflag &= ~(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS);
        switch (dcb.ByteSize) {
            case 5:
                tio.c_cflag |= CS5;
                break;
            case 6:
                tio.c_cflag |= CS6;
                break;
            case 7:
                tio.c_cflag |= CS7;
                break;
            default:
                tio.c_cflag |= CS8;
                break;
        }
        if (dcb.Parity == 1) tio.c_cflag |= PARENB | PARODD;
        if (dcb.Parity == 2) tio.c_cflag |= PARENB;
        if (dcb.StopBits != 0) tio.c_cflag |= CSTOPB;
        if (dcb.flags & Dcb::fOutxCtsFlow) tio.c_cflag |= CRTSCTS;
        if (dcb.flags & Dcb::fOutX) tio.c_iflag |= IXON;
        if (dcb.flags & Dcb::fInX) tio.c_iflag |= IXOFF;
        tio.c_cc[VSTART] = static_cast<cc_t>(dcb.XonChar);
        tio.c_cc[VSTOP] = static_cast<cc_t>(dcb.XoffChar);
        tio.c_cc[VMIN] = 0;
        tio.c_cc[VTIME] = 0;
        const speed_t speed = SpeedFor(dcb.BaudRate);
        cfsetispeed(&tio, speed);
        cfsetospeed(&tio, speed);
        tcsetattr(fd_, TCSANOW, &tio);
    }

    // The kernel's queues have their own sizes; time-outs do not apply: reads take only
    // what is queued and writes never wait.
    void SetBufferSizes(uint16_t, uint16_t) override {}
    void SetTimeouts(const CommTimeouts&) override {}
    void SetEventMask(uint32_t) override {}

    WaitResult WaitEvent() override {
        std::unique_lock lock(mutex_);
        if (closing_) return {Wait::Closed, 0};
        waiting_ = true;
        const WaitResult result = WaitLocked(lock);
        waiting_ = false;
        waitDone_.notify_all();
        return result;
    }

    void Close() override {
        std::unique_lock lock(mutex_);
        if (fd_ < 0) return;
        closing_ = true;
        Kick();
        // The event thread leaves poll() at once; only then may the descriptor go, so that
        // it never polls a number the system has handed out again.
        waitDone_.wait(lock, [this] { return !waiting_; });
        flock(fd_, LOCK_UN);
        ::close(fd_);
        fd_ = -1;
        pending_.clear();
    }

    bool ClearError(CommStat& stat) override {
        std::lock_guard lock(mutex_);
        if (fd_ < 0 || readFailed_) return false;
        int in = 0;
        int out = 0;
        if (ioctl(fd_, FIONREAD, &in) != 0) return false;
        if (ioctl(fd_, TIOCOUTQ, &out) != 0) out = 0;
        stat.errors = 0;
        stat.state = 0;
        stat.inQueue = static_cast<uint32_t>(in);
        stat.outQueue = static_cast<uint32_t>(out) + static_cast<uint32_t>(pending_.size());
        return true;
    }

    bool Read(uint8_t* buffer, uint32_t count) override {
        std::lock_guard lock(mutex_);
        while (count > 0 && fd_ >= 0) {
            const ssize_t n = ::read(fd_, buffer, count);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) {
                // EIO after a hang-up: the next wait reports the port as lost.
                if (n == 0 || errno != EAGAIN) readFailed_ = true;
                return false;
            }
            buffer += n;
            count -= static_cast<uint32_t>(n);
        }
        return count == 0;
    }

    void InputDrained() override {
        std::lock_guard lock(mutex_);
        armed_ = true;
        Kick();
    }

    bool WriteNoWait(const uint8_t* data, uint32_t count, uint32_t& systemError) override {
        std::lock_guard lock(mutex_);
        if (fd_ < 0) {
            systemError = EBADF;
            return false;
        }
        if (pending_.empty()) {
            const ssize_t n = ::write(fd_, data, count);
            if (n < 0 && errno != EAGAIN && errno != EINTR) {
                systemError = static_cast<uint32_t>(errno);
                return false;
            }
            const auto written = static_cast<uint32_t>(n < 0 ? 0 : n);
            data += written;
            count -= written;
        }
        if (count > 0) {
            // The line is slower than the caller: the event thread sends the rest.
            pending_.insert(pending_.end(), data, data + count);
            Kick();
        }
        return true;
    }

    void Purge() override {
        std::lock_guard lock(mutex_);
        if (fd_ >= 0) tcflush(fd_, TCIOFLUSH);
        pending_.clear();
    }

  private:
    void Kick() {
        const char byte = 0;
        [[maybe_unused]] const ssize_t n = ::write(wakeWrite_, &byte, 1);
    }

    void DrainKicks() {
        char bytes[64];
        while (::read(wakeRead_, bytes, sizeof bytes) > 0) {
        }
    }

    void FlushPending() {
        const ssize_t n = ::write(fd_, pending_.data(), pending_.size());
        if (n > 0) pending_.erase(pending_.begin(), pending_.begin() + n);
    }

    WaitResult WaitLocked(std::unique_lock<std::mutex>& lock) {
        for (;;) {
            if (closing_) return {Wait::Closed, 0};
            if (readFailed_) return {Wait::Lost, 0};
            pollfd fds[2] = {};
            fds[0].fd = fd_;
            fds[0].events =
                static_cast<short>((armed_ ? POLLIN : 0) | (pending_.empty() ? 0 : POLLOUT));
            fds[1].fd = wakeRead_;
            fds[1].events = POLLIN;
            lock.unlock();
            const int ready = ::poll(fds, 2, -1);
            lock.lock();
            if (ready < 0) {
                if (errno == EINTR) continue;
                return {Wait::Lost, 0};
            }
            if (fds[1].revents & POLLIN) DrainKicks();
            if (closing_) return {Wait::Closed, 0};
            const short events = fds[0].revents;
            if (events & POLLNVAL) return {Wait::Closed, 0};
            if ((events & POLLOUT) && !pending_.empty()) FlushPending();
            if (armed_ && (events & POLLIN)) {
                armed_ = false;
                return {Wait::Event, EV_RXCHAR};
            }
            if (events & (POLLHUP | POLLERR)) {
                int queued = 0;
                // Bytes that came before the hang-up are delivered first.
                if (ioctl(fd_, FIONREAD, &queued) == 0 && queued > 0 && !readFailed_) {
                    if (armed_) {
                        armed_ = false;
                        return {Wait::Event, EV_RXCHAR};
                    }
                    lock.unlock();
                    pollfd wake{wakeRead_, POLLIN, 0};
                    ::poll(&wake, 1, -1);
                    lock.lock();
                    continue;
                }
                return {Wait::Lost, 0};
            }
        }
    }

    std::mutex mutex_;
    std::condition_variable waitDone_;
    int fd_;
    const int wakeRead_;
    const int wakeWrite_;
    bool closing_ = false;
    bool waiting_ = false;
    bool armed_ = true;  // the next arrival of bytes is an event
    bool readFailed_ = false;
    std::vector<uint8_t> pending_;  // bytes SendData handed over that the line has not taken
};

}  // namespace

std::string SystemPortPath(const std::string& name) {
    return name.find('/') == std::string::npos ? "/dev/" + name : name;
}

DriverOpenResult OpenSystemSerialPort(const std::string& name) {
    DriverOpenResult result;
    const std::string path = SystemPortPath(name);
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        DescribeError(errno, result);
        return result;
    }
    // Exclusive, like a Windows port opened with share mode 0.
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        DescribeError(errno == EWOULDBLOCK ? EBUSY : errno, result);
        ::close(fd);
        return result;
    }
    termios tio{};
    if (tcgetattr(fd, &tio) != 0) {
        DescribeError(errno, result);
        ::close(fd);
        return result;
    }
    int wake[2];
    if (::pipe2(wake, O_NONBLOCK | O_CLOEXEC) != 0) {
        DescribeError(errno, result);
        ::close(fd);
        return result;
    }
    result.driver = std::make_unique<PosixSerialDriver>(fd, wake[0], wake[1]);
    return result;
}

}  // namespace quorvel

namespace quorvel {

void LoadDefaultLineConfig(Dcb&) {}

}  // namespace quorvel
