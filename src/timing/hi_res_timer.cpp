#include "timing/hi_res_timer.h"

#include <algorithm>
#include <chrono>
#include <cmath>

namespace quorvel {
namespace {

constexpr int64_t kLongestSleepMs = 2147483647;  // 2^31 - 1
constexpr double kLongestSleepSeconds = 2147483.647;

class SystemTimerSleeper final : public TimerSleeper {
  public:
    void Sleep(int64_t ms, TimerWake& wake) override {
        std::unique_lock lock(wake.mutex);
        wake.signal.wait_for(lock, std::chrono::milliseconds(ms),
                             [&] { return wake.terminated.load(); });
    }
};

}  // namespace

TimerSleeper& SystemSleeper() {
    static SystemTimerSleeper sleeper;
    return sleeper;
}

SleepPlan PlanSleep(double interval) {
    SleepPlan plan;
    if (!(interval > 0)) return plan;  // also NaN: tick without pause
    double rest = interval;
    if (interval > kLongestSleepSeconds) {
        const double q = std::trunc(interval / kLongestSleepSeconds);
        plan.longSleeps = static_cast<uint64_t>(q);
        rest = interval - q * kLongestSleepSeconds;
    }
    if (std::trunc(rest * 1000) > 0) {
        plan.restMs = static_cast<int64_t>(std::nearbyint(rest * 1000));  // halves to even
    }
    return plan;
}

TTimerThread::TTimerThread(THiResTimer& owner) : owner_(owner) {
    RaiseTimerResolution();
    worker_ = std::make_unique<WorkerThread>(owner.gui_, [this] {
        owner_.Execute(*this);
        RestoreTimerResolution();
    });
}

TTimerThread::~TTimerThread() {
    Terminate();
    worker_.reset();
}

void TTimerThread::Terminate() {
    std::lock_guard lock(wake_.mutex);
    wake_.terminated.store(true);
    wake_.signal.notify_all();
}

THiResTimer::THiResTimer(GuiThread& gui, double interval, TimerSleeper& sleeper)
    : gui_(gui), sleeper_(sleeper), FInterval(interval) {
    UpdateTimerThread();
}

THiResTimer::~THiResTimer() {
    destroying_.store(true);
    FEnabled.store(false);
    if (FTimerThread) FTimerThread->Terminate();
    FTimerThread.reset();  // joins, serving a tick on its way, which finds FEnabled false
    retired_.clear();
}

void THiResTimer::SetEnabled(bool value) {
    if (value == FEnabled.load()) return;
    FEnabled.store(value);
    UpdateTimerThread();
}

void THiResTimer::Start() {
    FEnabled.store(true);
    UpdateTimerThread();
}

void THiResTimer::Stop() {
    FEnabled.store(false);
    UpdateTimerThread();
}

void THiResTimer::UpdateTimerThread() {
    // Threads asked to end earlier are joined once they have ended; a thread still
    // finishing its sleep is not waited for here.
    std::erase_if(retired_, [](const std::unique_ptr<TTimerThread>& t) { return t->Ended(); });
    if (FTimerThread) {
        FTimerThread->Terminate();
        retired_.push_back(std::move(FTimerThread));
    }
    FCounter.store(0);
    if (FEnabled.load()) FTimerThread = std::make_unique<TTimerThread>(*this);
}

void THiResTimer::Execute(TTimerThread& thread) {
    TimerWake& wake = thread.wake_;
    TThreadPriority priority = FPriority.load();
    ApplyThreadPriority(priority);
    try {
        while (!wake.terminated.load() && FEnabled.load()) {
            if (FPriority.load() != priority) ApplyThreadPriority(priority = FPriority.load());
            const SleepPlan plan = PlanSleep(FInterval.load());
            for (uint64_t i = 0; i < plan.longSleeps && !wake.terminated.load(); ++i) {
                sleeper_.Sleep(kLongestSleepMs, wake);
            }
            if (plan.restMs > 0 && !wake.terminated.load()) sleeper_.Sleep(plan.restMs, wake);
            if (wake.terminated.load()) break;
            if (FEnabled.load()) {
                if (FNeedSynchronization.load()) {
                    gui_.Synchronize([this, &wake] {
                        if (!wake.terminated.load()) FireTimer();
                    });
                } else {
                    FireTimer();
                }
            }
            if (wake.terminated.load()) break;  // restarted or stopped during the tick
            bool last = !FCycled.load();
            const uint32_t counter = FCounter.load();
            if (counter < UINT32_MAX) FCounter.store(counter + 1);
            const uint32_t repeat = FRepeatCount.load();
            if (repeat != 0 && FCounter.load() >= repeat) last = true;
            if (last) break;
        }
    } catch (...) {
        // A handler that throws stops the timer; Enabled still reads true.
    }
}

void THiResTimer::SetOnTimer(Handler handler) {
    std::lock_guard lock(handlerMutex_);
    FOnTimer = std::move(handler);
}

void THiResTimer::FireTimer() {
    Handler handler;
    {
        std::lock_guard lock(handlerMutex_);
        handler = FOnTimer;
    }
    if (handler && FEnabled.load() && !destroying_.load()) handler(*this);
}

}  // namespace quorvel
