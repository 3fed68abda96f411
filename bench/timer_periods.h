#pragma once

#include <algorithm>
#include <chrono>
#include <vector>

#include "sync/event_loop.h"
#include "timing/hi_res_timer.h"

namespace quorvel {

// DataShowTimer's setting, 40 ms with the handler on a served GUI loop that does nothing
// else: the periods between `count` + 1 ticks, in milliseconds.
inline std::vector<double> MeasureTimerPeriods(int count) {
    using Clock = std::chrono::steady_clock;
    EventLoop loop;
    std::vector<Clock::time_point> ticks;
    THiResTimer timer(loop, 0.04);
    timer.SetNeedSynchronization(true);
    timer.SetOnTimer([&](THiResTimer&) { ticks.push_back(Clock::now()); });
    while (ticks.size() < static_cast<size_t>(count) + 1) {
        loop.RunFor(std::chrono::milliseconds(10));
    }
    timer.Stop();
    std::vector<double> periods;
    for (size_t i = 1; i < ticks.size(); ++i) {
        periods.push_back(
            std::chrono::duration<double, std::milli>(ticks[i] - ticks[i - 1]).count());
    }
    return periods;
}

struct Spread {
    double mean;
    double median;
    double p99;
};

inline Spread SpreadOf(std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    double sum = 0;
    for (double s : samples) sum += s;
    const auto at = [&](double q) {
        return samples[static_cast<size_t>(q * (samples.size() - 1))];
    };
    return Spread{sum / samples.size(), at(0.5), at(0.99)};
}

}  // namespace quorvel
