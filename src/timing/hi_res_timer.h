#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "sync/gui_thread.h"
#include "timing/timer_platform.h"

namespace quorvel {

// What a sleeping timer thread can be woken by: its termination.
struct TimerWake {
    std::mutex mutex;
    std::condition_variable signal;
    std::atomic<bool> terminated{false};
};

// How a timer thread sleeps. The real one waits on the wake's signal; tests give one that
// sleeps only when told to.
class TimerSleeper {
  public:
    virtual ~TimerSleeper() = default;
    // Sleeps `ms` milliseconds, or less when the thread is asked to terminate meanwhile.
    virtual void Sleep(int64_t ms, TimerWake& wake) = 0;
};

TimerSleeper& SystemSleeper();

// The sleep of one cycle: `longSleeps` sleeps of 2^31 - 1 ms, then `restMs` (0: none).
struct SleepPlan {
    uint64_t longSleeps = 0;
    int64_t restMs = 0;
};
SleepPlan PlanSleep(double intervalSeconds);

class THiResTimer;

// The worker thread of one start of a timer. It ends when asked to, when the timer is
// disabled, after one tick when not cycled, after RepeatCount ticks, or when the handler
// throws.
class TTimerThread {
  public:
    explicit TTimerThread(THiResTimer& owner);
    ~TTimerThread();  // terminates and joins, serving synchronous calls

    void Terminate();
    bool Ended() const { return worker_ == nullptr || worker_->Ended(); }

  private:
    friend class THiResTimer;
    THiResTimer& owner_;
    TimerWake wake_;
    std::unique_ptr<WorkerThread> worker_;
};

// Calls OnTimer every Interval seconds from a worker thread of its own, sleeping the
// interval at every cycle with the system timer resolution raised. Ticks never overlap and
// are never made up: a slow handler lengthens the period. With NeedSynchronization the
// handler runs on the GUI thread and the timer thread waits for it.
//
// Thread safety: properties are written and Start/Stop/destruction run on the GUI thread;
// the worker thread reads the properties (single aligned values) and counts the ticks.
// Destruction waits for the thread while serving synchronous calls, so no tick reaches a
// destroyed timer, and returns as soon as the thread has seen the request.
class THiResTimer {
  public:
    using Handler = std::function<void(THiResTimer& sender)>;

    // Starts running at once (Enabled is true after construction).
    explicit THiResTimer(GuiThread& gui, double interval = 1.0,
                         TimerSleeper& sleeper = SystemSleeper());
    THiResTimer(const THiResTimer&) = delete;
    THiResTimer& operator=(const THiResTimer&) = delete;
    ~THiResTimer();

    bool Enabled() const { return FEnabled.load(); }
    void SetEnabled(bool value);
    double Interval() const { return FInterval.load(); }
    void SetInterval(double value) { FInterval.store(value); }  // taken at the next cycle
    TThreadPriority Priority() const { return FPriority.load(); }
    void SetPriority(TThreadPriority value) { FPriority.store(value); }
    void SetOnTimer(Handler handler);
    bool Cycled() const { return FCycled.load(); }
    void SetCycled(bool value) { FCycled.store(value); }
    uint32_t RepeatCount() const { return FRepeatCount.load(); }
    void SetRepeatCount(uint32_t value) { FRepeatCount.store(value); }
    bool NeedSynchronization() const { return FNeedSynchronization.load(); }
    void SetNeedSynchronization(bool value) { FNeedSynchronization.store(value); }

    uint32_t GetCycleNumber() const { return FCounter.load(); }
    void Start();
    void Restart() { Start(); }
    void Stop();

  private:
    friend class TTimerThread;
    void UpdateTimerThread();
    void Execute(TTimerThread& thread);
    void FireTimer();

    GuiThread& gui_;
    TimerSleeper& sleeper_;
    std::atomic<double> FInterval;
    std::mutex handlerMutex_;  // the handler may be read on the timer thread
    Handler FOnTimer;
    std::atomic<bool> FEnabled{true};
    std::unique_ptr<TTimerThread> FTimerThread;
    std::vector<std::unique_ptr<TTimerThread>> retired_;  // asked to end, not yet joined
    std::atomic<bool> FCycled{true};
    std::atomic<uint32_t> FRepeatCount{0};
    std::atomic<uint32_t> FCounter{0};
    std::atomic<TThreadPriority> FPriority{TThreadPriority::tpNormal};
    std::atomic<bool> FNeedSynchronization{false};
    std::atomic<bool> destroying_{false};
};

}  // namespace quorvel
