// Receive path throughput: bytes from the port through the receiver and the interpreter.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <numeric>
#include <random>
#include <vector>

#include "bench/null_sinks.h"
#include "link/frame_builder.h"
#include "link/frame_interpreter.h"
#include "link/frame_receiver.h"

namespace quorvel {
namespace {

constexpr double kLineBytesPerSecond = 11520.0;  // 115200 baud, 10 bits a byte

struct Stream {
    std::vector<uint8_t> bytes;
    std::vector<uint32_t> deliveries;  // sizes, 1..8192
};

// 4 MiB of measurement frames, 1% of them with a corrupted byte.
const Stream& FourMiBStream() {
    static const Stream stream = [] {
        Stream s;
        std::mt19937 random(42);
        while (s.bytes.size() < 4u << 20) {
            auto frame = MakeMeasurementFrame(float(random() % 10000) / 100, 2, 3, 4, 0, 1);
            if (random() % 100 == 0) frame[4 + random() % 18] ^= 0x10;
            s.bytes.insert(s.bytes.end(), frame.begin(), frame.end());
        }
        for (size_t i = 0; i < s.bytes.size();) {
            const auto n =
                static_cast<uint32_t>(std::min<size_t>(1 + random() % 8192, s.bytes.size() - i));
            s.deliveries.push_back(n);
            i += n;
        }
        return s;
    }();
    return stream;
}

void SetThroughput(benchmark::State& state, size_t bytes) {
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
    state.counters["x_line_rate"] =
        benchmark::Counter(static_cast<double>(state.iterations() * bytes) / kLineBytesPerSecond,
                           benchmark::Counter::kIsRate);
}

void BM_ReceiveStream(benchmark::State& state) {
    const Stream& stream = FourMiBStream();
    LinkState link;
    link.Connected = true;
    MeasurementSet measurements;
    NoFields fields;
    NoRecorder recorder;
    FrameInterpreter interpreter(measurements, fields, recorder, RegionalSettings::Polish());
    FrameReceiver receiver(link, interpreter);
    for (auto _ : state) {
        const uint8_t* p = stream.bytes.data();
        for (uint32_t n : stream.deliveries) {
            receiver.scComAfterReceive(nullptr, p, n);
            p += n;
        }
    }
    benchmark::DoNotOptimize(link.Stats.RxFrames);
    SetThroughput(state, stream.bytes.size());
}
BENCHMARK(BM_ReceiveStream)->Unit(benchmark::kMillisecond);

// Baseline for the figure above: the same deliveries merely summed byte by byte.
void BM_ReceiveStream_ByteSumBaseline(benchmark::State& state) {
    const Stream& stream = FourMiBStream();
    for (auto _ : state) {
        const uint8_t* p = stream.bytes.data();
        unsigned sum = 0;
        for (uint32_t n : stream.deliveries) {
            sum = std::accumulate(p, p + n, sum);
            p += n;
            benchmark::DoNotOptimize(sum);
        }
    }
    SetThroughput(state, stream.bytes.size());
}
BENCHMARK(BM_ReceiveStream_ByteSumBaseline)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quorvel
