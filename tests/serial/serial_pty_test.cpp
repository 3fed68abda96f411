// The serial component against a virtual module on a real pseudo-terminal.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "link/frame_builder.h"
#include "link/frame_receiver.h"
#include "serial/tsc_comm.h"
#include "sim/pty_module_server.h"
#include "sync/event_loop.h"

namespace quorvel {
namespace {

using namespace std::chrono_literals;
using Bytes = std::vector<uint8_t>;

struct CountingHandler final : FrameHandler {
    void ProcessFrame(const uint8_t*, size_t) override { ++frames; }
    uint32_t frames = 0;
};

// A component on the slave side of a served pseudo-terminal, with a receiver behind it.
struct PtyBench {
    explicit PtyBench(PtyModuleServer::Options options) : server(options) {
        std::string error;
        EXPECT_TRUE(server.Start(error)) << error;
        link.Connected = true;
        com.OnAfterReceive = [this](TscBaseIO* c, const uint8_t* b, uint32_t n) {
            ++deliveries;
            largest = std::max(largest, n);
            bytes.insert(bytes.end(), b, b + n);
            receiver.scComAfterReceive(c, b, n);
        };
        com.SetBaudRate(115200);
        com.SetStreamProtocol(TStreamProtocol::spNone);
        com.SetPortPath(server.SlavePath());
    }

    template <typename Condition>
    bool Serve(Condition condition, std::chrono::seconds limit = 20s) {
        const auto end = std::chrono::steady_clock::now() + limit;
        while (!condition()) {
            if (std::chrono::steady_clock::now() > end) return false;
            loop.RunFor(5ms);
        }
        return true;
    }

    PtyModuleServer server;
    EventLoop loop;
    LinkState link;
    CountingHandler handler;
    FrameReceiver receiver{link, handler};
    TscComm com{loop};
    Bytes bytes;
    uint32_t deliveries = 0;
    uint32_t largest = 0;
};

TEST(SerialPty, EveryByteArrivesInOrderWithFaults) {
    PtyModuleServer::Options options;
    options.rate = 100;
    options.frameLimit = 300;
    options.faults.corruptFraction = 0.1;
    options.faults.noiseFraction = 0.2;
    options.faults.splitWrites = true;
    options.faults.seed = 7;
    PtyBench bench(options);
    bench.com.SetActive(true);
    ASSERT_TRUE(bench.com.Active());
    ASSERT_TRUE(bench.Serve(
        [&] { return bench.link.Stats.RxFrames + bench.link.Stats.ErrorFrames >= 300; }));
    bench.loop.RunFor(50ms);
    EXPECT_EQ(bench.link.Stats.ErrorFrames, bench.server.FramesCorrupted());
    EXPECT_EQ(bench.link.Stats.RxFrames, 300 - bench.server.FramesCorrupted());
    EXPECT_GT(bench.server.FramesCorrupted(), 0u);
    EXPECT_EQ(bench.bytes.size(), bench.server.BytesSent());
    EXPECT_EQ(bench.com.TotalReceived(), bench.server.BytesSent());
    bench.com.SetActive(false);
}

TEST(SerialPty, BytesPileUpWhileTheGuiThreadIsBusyAndComeInLargeBlocks) {
    PtyModuleServer::Options options;
    options.streaming = false;
    PtyBench bench(options);
    bench.com.SetActive(true);
    Bytes burst;
    for (int i = 0; i < 3000; ++i) burst.push_back(static_cast<uint8_t>(i * 7));
    bench.server.SendRaw(burst);  // the loop is not served meanwhile
    std::this_thread::sleep_for(100ms);
    ASSERT_TRUE(bench.Serve([&] { return bench.bytes.size() >= burst.size(); }));
    EXPECT_EQ(bench.bytes, burst);
    EXPECT_LE(bench.deliveries, 5u);
    EXPECT_LE(bench.largest, bench.com.ReceiveBufferSize());
}

TEST(SerialPty, WritesArriveByteForByte) {
    PtyModuleServer::Options options;
    options.streaming = false;
    PtyBench bench(options);
    bench.com.SetActive(true);
    Bytes expected;
    for (uint8_t code = 4; code < 22; ++code) {
        const auto frame = MakeIntFrame(kTypeWrite, code, code * 1000);
        Bytes copy(frame.begin(), frame.end());
        bench.com.SendData(copy.data(), static_cast<uint32_t>(copy.size()));
        copy.assign(copy.size(), 0);  // taken over: the caller may reuse its buffer at once
        expected.insert(expected.end(), frame.begin(), frame.end());
    }
    EXPECT_EQ(bench.com.TotalSent(), expected.size());
    ASSERT_TRUE(
        bench.Serve([&] { return bench.server.ReceivedBytes().size() >= expected.size(); }));
    EXPECT_EQ(bench.server.ReceivedBytes(), expected);
}

TEST(SerialPty, HangUpClosesThePortAndTellsListeners) {
    PtyModuleServer::Options options;
    options.rate = 100;
    PtyBench bench(options);
    std::vector<int> codes;
    std::thread::id notifiedOn;
    bench.com.NotifyAdd(&codes, [&](TscBaseIO*, int code) {
        codes.push_back(code);
        notifiedOn = std::this_thread::get_id();
    });
    bench.com.SetActive(true);
    ASSERT_TRUE(bench.Serve([&] { return bench.link.Stats.RxFrames >= 5; }));
    bench.server.HangUp();
    ASSERT_TRUE(bench.Serve([&] { return !bench.com.Active(); }));
    EXPECT_EQ(codes, (std::vector<int>{kListenerOpened, kListenerClosed}));
    EXPECT_EQ(notifiedOn, std::this_thread::get_id());
    const uint32_t frames = bench.link.Stats.RxFrames;
    bench.loop.RunFor(50ms);
    EXPECT_EQ(bench.link.Stats.RxFrames, frames);
    bench.com.SetActive(false);  // after a loss: nothing to close, threads disposed of
    EXPECT_FALSE(bench.com.Active());
}

TEST(SerialPty, ClosingDuringAStreamNeverHangs) {
    PtyModuleServer::Options options;
    options.rate = 100;
    PtyBench bench(options);
    for (int i = 0; i < 200; ++i) {
        bench.com.SetActive(true);
        bench.loop.RunFor(std::chrono::milliseconds(i % 4));
        std::this_thread::sleep_for(std::chrono::microseconds(500 * (i % 3)));
        bench.com.SetActive(false);
        const uint32_t bytes = bench.com.TotalReceived();
        bench.loop.RunFor(1ms);
        ASSERT_EQ(bench.com.TotalReceived(), bytes) << "a delivery after closing, round " << i;
    }
    EXPECT_GT(bench.link.Stats.RxFrames, 0u);
}

TEST(SerialPty, AHeldPortCannotBeOpenedTwice) {
    PtyModuleServer::Options options;
    options.streaming = false;
    PtyBench bench(options);
    bench.com.SetActive(true);
    TscComm second(bench.loop);
    second.SetPortPath(bench.server.SlavePath());
    try {
        second.SetActive(true);
        FAIL() << "the port was opened twice";
    } catch (const EComponentError& e) {
        EXPECT_EQ(std::string(e.what()), "Device \"" + bench.server.SlavePath() +
                                             "\" Open Error !!!\rDevice or resource busy");
    }
    bench.com.SetActive(false);
    second.SetActive(true);  // free again
    EXPECT_TRUE(second.Active());
}

}  // namespace
}  // namespace quorvel
