#include "timing/hi_res_timer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <vector>

#include "sync/event_loop.h"

namespace quorvel {
namespace {

using namespace std::chrono_literals;

// A sleep ends only when the test grants it (or the thread is asked to terminate).
class GrantedSleeper final : public TimerSleeper {
  public:
    void Sleep(int64_t ms, TimerWake& wake) override {
        {
            std::lock_guard lock(mutex_);
            requested_.push_back(ms);
            ++sleeping_;
        }
        for (;;) {
            {
                std::lock_guard lock(mutex_);
                if (wake.terminated.load() || grants_ > 0) {
                    if (!wake.terminated.load()) --grants_;
                    --sleeping_;
                    return;
                }
            }
            std::this_thread::sleep_for(1ms);
        }
    }
    void Grant(int n) {
        std::lock_guard lock(mutex_);
        grants_ += n;
    }
    int Sleeping() {
        std::lock_guard lock(mutex_);
        return sleeping_;
    }
    std::vector<int64_t> Requested() {
        std::lock_guard lock(mutex_);
        return requested_;
    }

  private:
    std::mutex mutex_;
    int grants_ = 0;
    int sleeping_ = 0;
    std::vector<int64_t> requested_;
};

// Serves the loop until `condition` holds; a generous limit only guards against a hang.
template <typename Condition>
bool ServeUntil(EventLoop& loop, Condition condition) {
    const auto limit = std::chrono::steady_clock::now() + 10s;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > limit) return false;
        loop.RunFor(1ms);
    }
    return true;
}

struct TimerBench {
    EventLoop loop;
    GrantedSleeper sleeper;
    int ticks = 0;
    std::unique_ptr<THiResTimer> timer;

    explicit TimerBench(double interval = 0.04) {
        timer = std::make_unique<THiResTimer>(loop, interval, sleeper);
        timer->SetNeedSynchronization(true);
        timer->SetOnTimer([this](THiResTimer&) { ++ticks; });
    }
    // Lets every sleep end until the thread has no more to sleep, serving its ticks.
    void GrantAndSettle(int grants) {
        sleeper.Grant(grants);
        ServeUntil(loop, [&] { return sleeper.Sleeping() == 1 || ticks > 1000; });
        loop.RunFor(20ms);
    }
};

TEST(PlanSleep, Intervals) {
    struct Case {
        double interval;
        uint64_t longSleeps;
        int64_t restMs;
    };
    const Case cases[] = {
        {0.04, 0, 40},  {1.0, 0, 1000}, {0.0004, 0, 0}, {0.0025, 0, 2},  // halves to even
        {0.0035, 0, 4}, {0, 0, 0},      {-1, 0, 0},     {NAN, 0, 0},    {3000000.0, 1, 852516353},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.interval);
        const SleepPlan plan = PlanSleep(c.interval);
        EXPECT_EQ(plan.longSleeps, c.longSleeps);
        EXPECT_EQ(plan.restMs, c.restMs);
    }
}

TEST(HiResTimer, RepeatCountEndsTheThreadWithEnabledStillTrue) {
    TimerBench bench;
    bench.timer->SetRepeatCount(3);
    bench.sleeper.Grant(10);
    ASSERT_TRUE(ServeUntil(bench.loop, [&] { return bench.ticks >= 3; }));
    bench.loop.RunFor(50ms);
    EXPECT_EQ(bench.ticks, 3);
    EXPECT_EQ(bench.timer->GetCycleNumber(), 3u);
    EXPECT_TRUE(bench.timer->Enabled());
    EXPECT_EQ(bench.sleeper.Sleeping(), 0);  // the thread is gone
}

TEST(HiResTimer, NotCycledTicksOncePerStart) {
    TimerBench bench;
    bench.timer->SetCycled(false);
    bench.sleeper.Grant(5);
    ASSERT_TRUE(ServeUntil(bench.loop, [&] { return bench.ticks == 1; }));
    bench.loop.RunFor(50ms);
    EXPECT_EQ(bench.ticks, 1);
    bench.timer->Start();
    ASSERT_TRUE(ServeUntil(bench.loop, [&] { return bench.ticks == 2; }));
    bench.loop.RunFor(50ms);
    EXPECT_EQ(bench.ticks, 2);
}

TEST(HiResTimer, StopDuringASleepMeansNoFurtherTick) {
    TimerBench bench;
    ASSERT_TRUE(ServeUntil(bench.loop, [&] { return bench.sleeper.Sleeping() == 1; }));
    bench.timer->Stop();
    bench.sleeper.Grant(5);
    bench.loop.RunFor(50ms);
    EXPECT_EQ(bench.ticks, 0);
    EXPECT_FALSE(bench.timer->Enabled());
}

TEST(HiResTimer, StartWhileRunningRestartsTheCountWithoutDoubleTicks) {
    TimerBench bench;
    bench.sleeper.Grant(3);
    ASSERT_TRUE(ServeUntil(bench.loop, [&] { return bench.ticks == 3; }));
    ASSERT_TRUE(ServeUntil(bench.loop, [&] { return bench.sleeper.Sleeping() == 1; }));
    bench.timer->Start();
    EXPECT_EQ(bench.timer->GetCycleNumber(), 0u);
    ASSERT_TRUE(ServeUntil(bench.loop, [&] { return bench.sleeper.Sleeping() == 1; }));
    bench.sleeper.Grant(2);
    ASSERT_TRUE(ServeUntil(bench.loop, [&] { return bench.ticks == 5; }));
    bench.loop.RunFor(50ms);
    EXPECT_EQ(bench.ticks, 5);  // only the new thread ticks
    EXPECT_EQ(bench.timer->GetCycleNumber(), 2u);
}

TEST(HiResTimer, IntervalIsReadAtEveryCycle) {
    TimerBench bench(1.0);
    ASSERT_TRUE(ServeUntil(bench.loop, [&] { return bench.sleeper.Sleeping() == 1; }));
    bench.timer->SetInterval(0.04);  // the sleep in progress keeps its length
    bench.sleeper.Grant(1);
    ASSERT_TRUE(ServeUntil(bench.loop, [&] { return bench.sleeper.Requested().size() == 2; }));
    EXPECT_EQ(bench.sleeper.Requested(), (std::vector<int64_t>{1000, 40}));
}

TEST(HiResTimer, HandlerExceptionStopsTheTimer) {
    TimerBench bench;
    bench.timer->SetOnTimer([&](THiResTimer&) {
        ++bench.ticks;
        throw std::runtime_error("handler failed");
    });
    bench.sleeper.Grant(5);
    ASSERT_TRUE(ServeUntil(bench.loop, [&] { return bench.ticks == 1; }));
    bench.loop.RunFor(50ms);
    EXPECT_EQ(bench.ticks, 1);
    EXPECT_TRUE(bench.timer->Enabled());
    EXPECT_EQ(bench.sleeper.Sleeping(), 0);
}

// With the real sleeper: destruction during a long sleep returns at once, and a tick that
// is waiting for the GUI thread at that moment never reaches the handler.
TEST(HiResTimer, NoTickAfterDestruction) {
    EventLoop loop;
    int ticks = 0;
    {
        THiResTimer timer(loop, 0.0004);  // ticks back to back
        timer.SetNeedSynchronization(true);
        timer.SetOnTimer([&](THiResTimer&) { ++ticks; });
        ASSERT_TRUE(ServeUntil(loop, [&] { return ticks >= 5; }));
        // The loop is not served now: the next tick waits in Synchronize.
        std::this_thread::sleep_for(20ms);
    }
    const int atDestruction = ticks;
    loop.RunFor(50ms);
    EXPECT_EQ(ticks, atDestruction);

    const auto start = std::chrono::steady_clock::now();
    { THiResTimer slow(loop, 1000.0); }
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);  // not the 1000 s sleep
}

}  // namespace
}  // namespace quorvel
