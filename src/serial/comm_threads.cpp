#include "serial/comm_threads.h"

#include "serial/tsc_custom_comm.h"

namespace quorvel {

void CommEventQueue::Push(CommEvent event) {
    std::lock_guard lock(mutex_);
    events_.push_back(event);
    available_.notify_one();
}

CommEvent CommEventQueue::Pop() {
    std::unique_lock lock(mutex_);
    available_.wait(lock, [this] { return !events_.empty(); });
    const CommEvent event = events_.front();
    events_.pop_front();
    return event;
}

void CommEventQueue::Clear() {
    std::lock_guard lock(mutex_);
    events_.clear();
}

TCommThread::TCommThread(TscCustomComm& com, SerialDriver& device, CommEventQueue& queue,
                         GuiThread& gui)
    : com_(com), device_(device), queue_(queue) {
    worker_ = std::make_unique<WorkerThread>(gui, [this] { Execute(); });
}

TCommThread::~TCommThread() {
    Terminate();
    worker_.reset();
}

void TCommThread::Execute() {
    while (!terminated_.load() && com_.IsHandleValid()) {
        const SerialDriver::WaitResult result = device_.WaitEvent();
        if (result.outcome == SerialDriver::Wait::Closed) break;
        if (result.outcome == SerialDriver::Wait::Lost) {
            if (!terminated_.load()) queue_.Push(CommEvent{CommEvent::Lost, 0});
            break;
        }
        if (result.mask != 0 && !terminated_.load() && com_.IsHandleValid()) {
            queue_.Push(CommEvent{CommEvent::Port, result.mask});
        }
    }
}

TMsgThread::TMsgThread(TscCustomComm& com, CommEventQueue& queue, GuiThread& gui)
    : com_(com), queue_(queue), gui_(gui) {
    worker_ = std::make_unique<WorkerThread>(gui, [this] { Execute(); });
}

TMsgThread::~TMsgThread() {
    Terminate();
    worker_.reset();
}

void TMsgThread::Terminate() {
    if (terminated_.exchange(true)) return;
    queue_.Push(CommEvent{CommEvent::Quit, 0});
}

void TMsgThread::Execute() {
    for (;;) {
        const CommEvent event = queue_.Pop();
        if (terminated_.load() || event.kind == CommEvent::Quit || !com_.Active()) return;
        const auto process = [this, event] {
            if (!terminated_.load()) com_.ProcessCommEvent(event);
        };
        if (com_.UseMainThread()) {
            gui_.Synchronize(process);
        } else {
            process();
        }
    }
}

}  // namespace quorvel
