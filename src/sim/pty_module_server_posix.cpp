#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <string.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>

#include "link/param_code.h"
#include "sim/pty_module_server.h"

namespace quorvel {

using SteadyClock = std::chrono::steady_clock;

PtyModuleServer::PtyModuleServer(Options options)
    : options_(options), line_(options.faults), streaming_(options.streaming) {
    if (options.uart >= 0) module_.SetParam(pcUart, static_cast<uint32_t>(options.uart));
}

PtyModuleServer::~PtyModuleServer() {
    Stop();
}

bool PtyModuleServer::Start(std::string& error) {
    master_ = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) {
        error = strerror(errno);
        return false;
    }
    char name[128];
    if (ptsname_r(master_, name, sizeof name) != 0) {
        error = strerror(errno);
        return false;
    }
    slavePath_ = name;
    slaveKeeper_ = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slaveKeeper_ >= 0) {
        termios tio{};
        tcgetattr(slaveKeeper_, &tio);
        cfmakeraw(&tio);
        tcsetattr(slaveKeeper_, TCSANOW, &tio);
    }
    thread_ = std::thread([this] { Serve(); });
    return true;
}

void PtyModuleServer::Stop() {
    stop_.store(true);
    if (thread_.joinable()) thread_.join();
    std::lock_guard lock(mutex_);
    if (master_ >= 0) ::close(master_);
    if (slaveKeeper_ >= 0) ::close(slaveKeeper_);
    master_ = -1;
    slaveKeeper_ = -1;
}

void PtyModuleServer::HangUp() {
    std::lock_guard lock(mutex_);
    if (slaveKeeper_ >= 0) ::close(slaveKeeper_);
    if (master_ >= 0) ::close(master_);
    slaveKeeper_ = -1;
    master_ = -1;
}

void PtyModuleServer::SendRaw(const std::vector<uint8_t>& bytes) {
    std::lock_guard lock(mutex_);
    WriteAll(bytes.data(), bytes.size());
}

uint64_t PtyModuleServer::FramesSent() {
    std::lock_guard lock(mutex_);
    return line_.framesSent;
}

uint64_t PtyModuleServer::FramesCorrupted() {
    std::lock_guard lock(mutex_);
    return line_.framesCorrupted;
}

uint64_t PtyModuleServer::BytesSent() {
    std::lock_guard lock(mutex_);
    return bytesSent_;
}

std::vector<uint8_t> PtyModuleServer::ReceivedBytes() {
    std::lock_guard lock(mutex_);
    return received_;
}

void PtyModuleServer::WriteAll(const uint8_t* bytes, size_t count) {
    while (count > 0 && master_ >= 0) {
        const ssize_t n = ::write(master_, bytes, count);
        if (n > 0) {
            bytes += n;
            count -= static_cast<size_t>(n);
            bytesSent_ += static_cast<uint64_t>(n);
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR) return;
        // Nobody is reading fast enough: wait for room, as a module waits for its UART.
        pollfd out{master_, POLLOUT, 0};
        if (::poll(&out, 1, 100) == 0 && stop_.load()) return;
    }
}

void PtyModuleServer::Serve() {
    const auto start = SteadyClock::now();
    auto next = start;
    while (!stop_.load()) {
        std::unique_lock lock(mutex_);
        if (master_ < 0) {
            lock.unlock();
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            continue;
        }
        const int rate =
            options_.rate >= 0 ? options_.rate : static_cast<int>(module_.TransmitRate());
        const bool stream = streaming_.load() && rate > 0 &&
                            (options_.frameLimit == 0 || line_.framesSent < options_.frameLimit);
        const auto now = SteadyClock::now();
        int timeout = 20;
        if (stream) {
            timeout = static_cast<int>(
                std::chrono::duration_cast<std::chrono::milliseconds>(next - now).count());
            timeout = timeout < 0 ? 0 : (timeout > 20 ? 20 : timeout);
        } else {
            next = now;
        }
        pollfd in{master_, POLLIN, 0};
        lock.unlock();
        ::poll(&in, 1, timeout);
        lock.lock();
        if (master_ < 0) continue;
        const double seconds = std::chrono::duration<double>(SteadyClock::now() - start).count();
        if (in.revents & POLLIN) {
            uint8_t buffer[512];
            const ssize_t n = ::read(master_, buffer, sizeof buffer);
            if (n > 0) {
                received_.insert(received_.end(), buffer, buffer + n);
                module_.SetClock(seconds);
                const std::vector<uint8_t> answers =
                    module_.Receive(buffer, static_cast<size_t>(n));
                if (options_.answerCommands) WriteAll(answers.data(), answers.size());
            }
        }
        if (stream && SteadyClock::now() >= next) {
            next += std::chrono::microseconds(1000000 / rate);
            const MeasurementFrame frame =
                options_.constant
                    ? MakeMeasurementFrame(options_.constant->Ch1, options_.constant->Ch2,
                                           options_.constant->Fx1, options_.constant->Fx2,
                                           options_.constant->Ch1Mode, options_.constant->Ch2Mode)
                    : module_.Measure(seconds);
            const std::vector<uint8_t> bytes = line_.Emit(frame.data(), frame.size());
            if (line_.Faults().splitWrites) {
                const size_t half = bytes.size() / 2;
                WriteAll(bytes.data(), half);
                lock.unlock();
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
                lock.lock();
                WriteAll(bytes.data() + half, bytes.size() - half);
            } else {
                WriteAll(bytes.data(), bytes.size());
            }
        }
    }
}

}  // namespace quorvel
