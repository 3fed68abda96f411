#include "sim/demo_port.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

#include "sim/virtual_module.h"

namespace quorvel {
namespace {

using Clock = std::chrono::steady_clock;

// What the driver of a real port would hold in its input queue, at most.
constexpr size_t kInputQueueLimit = 65536;

class DemoPortDriver final : public SerialDriver {
  public:
    DemoPortDriver() : start_(Clock::now()), generator_([this] { Generate(); }) {}

    ~DemoPortDriver() override { Close(); }

    void Setup(const Dcb&, uint16_t, uint16_t, const CommTimeouts&) override {}
    void SetLine(const Dcb&) override {}
    void SetBufferSizes(uint16_t, uint16_t) override {}
    void SetTimeouts(const CommTimeouts&) override {}
    void SetEventMask(uint32_t) override {}

    WaitResult WaitEvent() override {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return closing_ || (armed_ && !input_.empty()); });
        if (closing_) return {Wait::Closed, 0};
        armed_ = false;
        return {Wait::Event, EV_RXCHAR};
    }

    void Close() override {
        {
            std::lock_guard lock(mutex_);
            if (closing_) return;
            closing_ = true;
            changed_.notify_all();
        }
        generator_.join();
    }

    bool ClearError(CommStat& stat) override {
        std::lock_guard lock(mutex_);
        if (closing_) return false;
        stat = CommStat{};
        stat.inQueue = static_cast<uint32_t>(input_.size());
        return true;
    }

    bool Read(uint8_t* buffer, uint32_t count) override {
        std::lock_guard lock(mutex_);
        if (count > input_.size()) return false;
        std::copy(input_.begin(), input_.begin() + count, buffer);
        input_.erase(input_.begin(), input_.begin() + count);
        return true;
    }

    void InputDrained() override {
        std::lock_guard lock(mutex_);
        armed_ = true;
        changed_.notify_all();
    }

    bool WriteNoWait(const uint8_t* data, uint32_t count, uint32_t&) override {
        std::lock_guard lock(mutex_);
        module_.SetClock(Seconds());
        const std::vector<uint8_t> answers = module_.Receive(data, count);
        Queue(answers.data(), answers.size());
        return true;
    }

    void Purge() override {
        std::lock_guard lock(mutex_);
        input_.clear();
    }

  private:
    double Seconds() const { return std::chrono::duration<double>(Clock::now() - start_).count(); }

    void Queue(const uint8_t* bytes, size_t count) {
        if (input_.size() + count > kInputQueueLimit) return;  // overrun: the bytes are lost
        input_.insert(input_.end(), bytes, bytes + count);
        changed_.notify_all();
    }

    // Streams measurement frames at the module's transmission frequency, read anew after
    // every frame, so a changed rate takes effect at once.
    void Generate() {
        std::unique_lock lock(mutex_);
        Clock::time_point next = Clock::now();
        while (!closing_) {
            const uint32_t rate = module_.TransmitRate();
            if (rate == 0) {
                changed_.wait_for(lock, std::chrono::milliseconds(50));
                next = Clock::now();
                continue;
            }
            next += std::chrono::microseconds(1000000 / rate);
            if (changed_.wait_until(lock, next, [this] { return closing_; })) break;
            if (Clock::now() - next > std::chrono::seconds(1)) next = Clock::now();
            const MeasurementFrame frame = module_.Measure(Seconds());
            Queue(frame.data(), frame.size());
        }
    }

    std::mutex mutex_;
    std::condition_variable changed_;
    VirtualModule module_;
    std::deque<uint8_t> input_;
    bool armed_ = true;
    bool closing_ = false;
    const Clock::time_point start_;
    std::thread generator_;
};

}  // namespace

DriverOpenResult OpenDemoPort() {
    DriverOpenResult result;
    result.driver = std::make_unique<DemoPortDriver>();
    return result;
}

}  // namespace quorvel
