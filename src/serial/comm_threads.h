#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>

#include "serial/serial_driver.h"
#include "sync/gui_thread.h"

namespace quorvel {

class TscCustomComm;

// What the comm event thread hands to the message thread, in the order it happened.
struct CommEvent {
    enum Kind : uint8_t { Port, Lost, Quit } kind = Port;
    uint32_t mask = 0;  // EV_ bits of a Port event
};

// The hand-over between the two threads: unbounded, so no event is dropped while the port
// is open, and first in, first out.
class CommEventQueue {
  public:
    void Push(CommEvent event);
    CommEvent Pop();  // waits for an event
    void Clear();

  private:
    std::mutex mutex_;
    std::condition_variable available_;
    std::deque<CommEvent> events_;
};

// Waits for the port's events and queues them. The port's loss is queued too, so that the
// GUI thread closes the port in order with the deliveries, never beside one.
class TCommThread {
  public:
    TCommThread(TscCustomComm& com, SerialDriver& device, CommEventQueue& queue, GuiThread& gui);
    ~TCommThread();  // joins, serving synchronous calls
    void Terminate() { terminated_.store(true); }
    bool Ended() const { return worker_->Ended(); }

  private:
    void Execute();

    TscCustomComm& com_;
    SerialDriver& device_;
    CommEventQueue& queue_;
    std::atomic<bool> terminated_{false};
    std::unique_ptr<WorkerThread> worker_;
};

// Takes the queued events and has the GUI thread process each one, waiting for it.
class TMsgThread {
  public:
    TMsgThread(TscCustomComm& com, CommEventQueue& queue, GuiThread& gui);
    ~TMsgThread();  // joins, serving synchronous calls
    void Terminate();
    bool Ended() const { return worker_->Ended(); }

  private:
    void Execute();

    TscCustomComm& com_;
    CommEventQueue& queue_;
    GuiThread& gui_;
    std::atomic<bool> terminated_{false};
    std::unique_ptr<WorkerThread> worker_;
};

}  // namespace quorvel
