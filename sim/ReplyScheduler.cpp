#include "sim/ReplyScheduler.h"

#include <utility>

namespace corsel {

ReplyScheduler::ReplyScheduler(Clock& clock) : clock_(clock), thread_([this] { run(); }) {}

ReplyScheduler::~ReplyScheduler() {
    stop();
}

void ReplyScheduler::schedule(std::chrono::milliseconds delay, std::function<void()> event) {
    std::lock_guard lock(mutex_);
    if (stopping_) {
        return;
    }
    const auto ticks = static_cast<std::uint64_t>(delay.count() > 0 ? delay.count() : 0);
    // A tick already under way has partly passed: it must not count toward
    // this delay, or the event could come up to 1 ms early.
    const std::uint64_t due = tick_ + ticks + (midTick_ ? 1 : 0);
    pending_.emplace(due, std::move(event));
    wake_.notify_one();
}

void ReplyScheduler::stop() {
    std::multimap<std::uint64_t, std::function<void()>> dropped;
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        dropped.swap(pending_);
        wake_.notify_one();
    }
    if (thread_.joinable()) {
        thread_.join();
    }
    // `dropped` goes here, outside the lock: its events may own the last
    // reference to a device.
}

void ReplyScheduler::run() {
    std::unique_lock lock(mutex_);
    while (!stopping_) {
        if (pending_.empty()) {
            wake_.wait(lock, [this] { return stopping_ || !pending_.empty(); });
            continue;
        }
        auto first = pending_.begin();
        if (first->first <= tick_) {
            std::function<void()> event = std::move(first->second);
            pending_.erase(first);
            lock.unlock();
            event();
            event = nullptr;
            lock.lock();
            continue;
        }
        midTick_ = true;
        lock.unlock();
        clock_.sleepFor(std::chrono::milliseconds(1));
        lock.lock();
        midTick_ = false;
        ++tick_;
    }
}

}  // namespace corsel
