#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>

#include "sync/gui_thread.h"

namespace quorvel {

// A GUI thread without a GUI: the thread that constructs the loop is its GUI thread and
// serves synchronous calls and posted work whenever it runs the loop. Used by the command
// line and the tests.
class EventLoop final : public GuiThread {
  public:
    EventLoop();

    void Synchronize(const std::function<void()>& call) override;
    void ServeUntil(const std::function<bool()>& finished) override;
    void Wake() override;

    // From any thread: `call` runs on the GUI thread at its next turn; the caller goes on.
    void Post(std::function<void()> call);
    // Serves calls until `deadline`, or until Quit; returns false when quit.
    bool RunUntil(std::chrono::steady_clock::time_point deadline);
    bool RunFor(std::chrono::milliseconds duration) {
        return RunUntil(std::chrono::steady_clock::now() + duration);
    }
    void Quit();  // any thread, async-signal unsafe
    bool QuitRequested() const;

  private:
    struct Call {
        std::function<void()> run;
        bool* done;                   // nullptr for posted calls
        std::exception_ptr* failure;  // where an exception of a synchronous call goes
    };

    // Runs queued calls until `stop` says so, waiting at most until `deadline`.
    void Serve(const std::function<bool()>& stop, std::chrono::steady_clock::time_point deadline);

    const std::thread::id owner_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Call> calls_;
    bool quit_ = false;
};

}  // namespace quorvel
