#include "sync/event_loop.h"

namespace quorvel {

EventLoop::EventLoop() : owner_(std::this_thread::get_id()) {}

void EventLoop::Synchronize(const std::function<void()>& call) {
    if (std::this_thread::get_id() == owner_) {
        call();
        return;
    }
    bool done = false;
    std::exception_ptr failure;
    std::unique_lock lock(mutex_);
    calls_.push_back(Call{call, &done, &failure});
    changed_.notify_all();
    changed_.wait(lock, [&] { return done; });
    lock.unlock();
    if (failure) std::rethrow_exception(failure);
}

void EventLoop::Post(std::function<void()> call) {
    std::lock_guard lock(mutex_);
    calls_.push_back(Call{std::move(call), nullptr, nullptr});
    changed_.notify_all();
}

void EventLoop::Wake() {
    std::lock_guard lock(mutex_);
    changed_.notify_all();
}

void EventLoop::Quit() {
    std::lock_guard lock(mutex_);
    quit_ = true;
    changed_.notify_all();
}

bool EventLoop::QuitRequested() const {
    std::lock_guard lock(mutex_);
    return quit_;
}

void EventLoop::ServeUntil(const std::function<bool()>& finished) {
    Serve(finished, std::chrono::steady_clock::time_point::max());
}

bool EventLoop::RunUntil(std::chrono::steady_clock::time_point deadline) {
    Serve([this] { return quit_; }, deadline);
    std::lock_guard lock(mutex_);
    return !quit_;
}

void EventLoop::Serve(const std::function<bool()>& stop,
                      std::chrono::steady_clock::time_point deadline) {
    std::unique_lock lock(mutex_);
    for (;;) {
        while (!calls_.empty()) {
            Call call = std::move(calls_.front());
            calls_.pop_front();
            lock.unlock();
            std::exception_ptr failure;
            try {
                call.run();
            } catch (...) {
                failure = std::current_exception();
            }
            lock.lock();
            if (call.done != nullptr) {
                *call.failure = failure;
                *call.done = true;
                changed_.notify_all();
            }
        }
        // The condition is read with the lock held so that a Wake in between is not lost.
        if (stop()) return;
        if (deadline == std::chrono::steady_clock::time_point::max()) {
            changed_.wait(lock);
        } else if (changed_.wait_until(lock, deadline) == std::cv_status::timeout &&
                   calls_.empty()) {
            return;
        }
    }
}

}  // namespace quorvel
