#include "sync/event_loop.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <thread>

namespace quorvel {
namespace {

TEST(EventLoop, SynchronousCallsRunOnTheLoopThreadWhileJoining) {
    EventLoop loop;
    const std::thread::id gui = std::this_thread::get_id();
    std::thread::id ranOn;
    bool failurePassedBack = false;
    {
        WorkerThread worker(loop, [&] {
            loop.Synchronize([&] { ranOn = std::this_thread::get_id(); });
            try {
                loop.Synchronize([] { throw std::runtime_error("handler failed"); });
            } catch (const std::runtime_error&) {
                failurePassedBack = true;
            }
        });
        worker.JoinServing();  // a plain join would wait for ever
        EXPECT_TRUE(worker.Ended());
    }
    EXPECT_EQ(ranOn, gui);
    EXPECT_TRUE(failurePassedBack);
}

TEST(EventLoop, PostedCallsRunInOrderAndQuitEndsTheRun) {
    EventLoop loop;
    std::vector<int> order;
    std::thread poster([&] {
        for (int i = 0; i < 3; ++i) loop.Post([&order, i] { order.push_back(i); });
        loop.Post([&] { loop.Quit(); });
    });
    EXPECT_FALSE(loop.RunFor(std::chrono::seconds(10)));
    poster.join();
    EXPECT_EQ(order, (std::vector<int>{0, 1, 2}));
}

TEST(EventLoop, OnItsOwnThreadSynchronizeCallsDirectly) {
    EventLoop loop;
    int calls = 0;
    loop.Synchronize([&] { ++calls; });
    EXPECT_EQ(calls, 1);
    EXPECT_TRUE(loop.RunFor(std::chrono::milliseconds(1)));
}

}  // namespace
}  // namespace quorvel
