#include "sync/gui_thread.h"

namespace quorvel {

WorkerThread::WorkerThread(GuiThread& gui, std::function<void()> body)
    : gui_(gui), thread_([this, body = std::move(body)] {
          body();
          ended_.store(true);
          gui_.Wake();
      }) {}

WorkerThread::~WorkerThread() {
    JoinServing();
}

void WorkerThread::JoinServing() {
    if (!thread_.joinable()) return;
    if (thread_.get_id() == std::this_thread::get_id()) {
        thread_.detach();  // a thread that disposes of itself
        return;
    }
    gui_.ServeUntil([this] { return ended_.load(); });
    thread_.join();
}

}  // namespace quorvel
