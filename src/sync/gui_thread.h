#pragma once

#include <atomic>
#include <functional>
#include <thread>

namespace quorvel {

// The one thing the core needs of the GUI toolkit: a synchronous call onto the thread that
// runs all application logic (the "GUI thread"). The window implements it on Qt's event
// loop; the command line and the tests use EventLoop.
class GuiThread {
  public:
    virtual ~GuiThread() = default;

    // From a worker thread: runs `call` on the GUI thread and returns when it has run; an
    // exception thrown by `call` is thrown again here. On the GUI thread: runs it at once.
    virtual void Synchronize(const std::function<void()>& call) = 0;

    // On the GUI thread: keeps serving synchronous calls until `finished` returns true.
    // Waiting for a worker thread that may itself be waiting in Synchronize must go through
    // here, or the two wait for each other for ever.
    virtual void ServeUntil(const std::function<bool()>& finished) = 0;

    // Makes a ServeUntil in progress look at its condition again.
    virtual void Wake() = 0;
};

// A worker thread that the GUI thread can join while serving its synchronous calls.
class WorkerThread {
  public:
    WorkerThread(GuiThread& gui, std::function<void()> body);
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;
    ~WorkerThread();  // joins, serving

    bool Ended() const { return ended_.load(); }
    // On the GUI thread: waits until the body has returned, serving synchronous calls.
    void JoinServing();

  private:
    GuiThread& gui_;
    std::atomic<bool> ended_{false};
    std::thread thread_;
};

}  // namespace quorvel
