// The display timer's period, and the time from a byte on the line to the receive handler.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <thread>
#include <vector>

#include "bench/timer_periods.h"
#include "serial/tsc_comm.h"
#include "sim/pty_module_server.h"
#include "sync/event_loop.h"
#include "timing/hi_res_timer.h"

namespace quorvel {
namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr int kPeriods = 100;

double Milliseconds(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

void ReportSpread(benchmark::State& state, const std::vector<double>& samples) {
    const Spread spread = SpreadOf(samples);
    state.counters["mean_ms"] = spread.mean;
    state.counters["median_ms"] = spread.median;
    state.counters["p99_ms"] = spread.p99;
}

// DataShowTimer's setting: 40 ms, handler on the GUI thread, which here does nothing else.
void BM_TimerPeriod(benchmark::State& state) {
    std::vector<double> periods;
    for (auto _ : state) {
        const std::vector<double> run = MeasureTimerPeriods(kPeriods);
        periods.insert(periods.end(), run.begin(), run.end());
    }
    ReportSpread(state, periods);
}
BENCHMARK(BM_TimerPeriod)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// Baseline: a thread that sleeps 40 ms in a loop, nothing else.
void BM_TimerPeriod_SleepBaseline(benchmark::State& state) {
    std::vector<double> periods;
    for (auto _ : state) {
        Clock::time_point last = Clock::now();
        for (int i = 0; i < kPeriods; ++i) {
            std::this_thread::sleep_for(40ms);
            const Clock::time_point now = Clock::now();
            periods.push_back(Milliseconds(now - last));
            last = now;
        }
    }
    ReportSpread(state, periods);
}
BENCHMARK(BM_TimerPeriod_SleepBaseline)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// One byte written on the pseudo-terminal's master side until the receive handler has it
// on the GUI thread.
void BM_ReceiveLatency(benchmark::State& state) {
    PtyModuleServer::Options options;
    options.streaming = false;
    PtyModuleServer server(options);
    std::string error;
    if (!server.Start(error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    EventLoop loop;
    TscComm com(loop);
    com.SetPortPath(server.SlavePath());
    com.SetStreamProtocol(TStreamProtocol::spNone);
    Clock::time_point arrived;
    bool got = false;
    com.OnAfterReceive = [&](TscBaseIO*, const uint8_t*, uint32_t) {
        arrived = Clock::now();
        got = true;
    };
    com.SetActive(true);
    std::vector<double> latencies;
    for (auto _ : state) {
        for (int i = 0; i < 200; ++i) {
            got = false;
            const Clock::time_point sent = Clock::now();
            server.SendRaw({0x42});
            while (!got) loop.RunFor(1ms);
            latencies.push_back(Milliseconds(arrived - sent));
            loop.RunFor(1ms);
        }
    }
    com.SetActive(false);
    ReportSpread(state, latencies);
}
BENCHMARK(BM_ReceiveLatency)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace quorvel
