#include "link/LinkChannel.h"

#include <utility>

namespace corsel {
namespace {
constexpr Clock::Duration kTick = std::chrono::milliseconds(1);
}

LinkChannel::LinkChannel(ModuleLink& link, Clock& clock) : link_(link), clock_(clock) {}

LinkChannel::~LinkChannel() {
    joinThreads();
}

void LinkChannel::setResetSession(std::function<void()> resetSession) {
    resetSession_ = std::move(resetSession);
}

std::uint64_t LinkChannel::arrivals() const {
    std::lock_guard lock(mutex_);
    return arrivals_;
}

bool LinkChannel::SendReport() {
    if (!linkOpen) {
        return false;
    }
    {
        // Arm the next wait before writing: the reply may come before the
        // caller begins to wait, and must not be lost then. Anything that came
        // earlier belongs to an earlier exchange.
        std::lock_guard lock(mutex_);
        pending_.clear();
        replyArrived = false;
    }
    if (!link_.writeReport(sendReport)) {
        linkOpen = false;
        link_.CloseModule();
        notifyWaiter();
        if (resetSession_) {
            resetSession_();
        }
    }
    return linkOpen;
}

bool LinkChannel::WaitReply() {
    if (!linkOpen) {
        return false;
    }
    {
        std::unique_lock lock(mutex_);
        const bool pending = !pending_.empty();
        replyArrived = pending;
        lastReadOk = pending;
        tickCount = 0;
        // The watchdog counts the ticks of this wait and wakes it at the limit;
        // a wait without a watchdog could never end, so it fails at once.
        changed_.wait(lock, [this] {
            return !pending_.empty() || replyArrived || tickCount > kReplyTickLimit || !linkOpen ||
                   !watchdogRunning_;
        });
        if (tickCount > kReplyTickLimit) {
            lastReadOk = false;
        } else if (!pending_.empty()) {
            receiveReport = pending_.front();
            pending_.pop_front();
            lastReadOk = true;
            return true;
        }
    }
    dropLink();
    return false;
}

void LinkChannel::dropLink() {
    stopThreads = true;
    notifyWaiter();
    if (resetSession_) {
        resetSession_();
    }
    linkOpen = false;
}

void LinkChannel::startThreads() {
    joinThreads();
    {
        // Reports of an earlier link answer nothing of this one.
        std::lock_guard lock(mutex_);
        pending_.clear();
    }
    stopThreads = false;
    readerRunning_ = true;
    reader_ = std::thread(&LinkChannel::ReaderThread, this);
    watchdogRunning_ = true;
    watchdog_ = std::thread(&LinkChannel::WatchdogThread, this);
}

void LinkChannel::joinThreads() {
    stopThreads = true;
    notifyWaiter();
    if (reader_.joinable()) {
        reader_.join();
    }
    if (watchdog_.joinable()) {
        watchdog_.join();
    }
}

void LinkChannel::wakeWaiter() {
    replyArrived = true;
    notifyWaiter();
}

void LinkChannel::notifyWaiter() {
    // Taking the lock orders the flag changes before the waiter's check, so a
    // change made just before the waiter sleeps is not missed.
    { std::lock_guard lock(mutex_); }
    changed_.notify_all();
}

void LinkChannel::ReaderThread() {
    // Read errors since the last report. A read that times out is no error:
    // the reader reads in short slices to see the flags between reads.
    int failedPasses = 0;
    ModuleReport report{};
    while (!stopThreads) {
        clock_.sleepFor(kTick);
        if (!linkOpen) {
            break;
        }
        const ReadOutcome outcome = link_.readReport(report, kReadTimeout);
        if (outcome == ReadOutcome::Failed) {
            lastReadOk = false;
            ++failedPasses;
            clock_.sleepFor(kTick);
        }
        if (failedPasses > kReaderFailedPassLimit) {
            linkOpen = false;
            wakeWaiter();
        } else if (outcome == ReadOutcome::Report) {
            failedPasses = 0;
            {
                std::lock_guard lock(mutex_);
                if (pending_.size() == kPendingLimit) {
                    pending_.pop_front();
                }
                pending_.push_back(report);
                ++arrivals_;
                lastReadOk = true;
                replyArrived = true;
            }
            changed_.notify_all();
        }
    }
    readerRunning_ = false;
    notifyWaiter();
}

void LinkChannel::WatchdogThread() {
    while (!stopThreads && linkOpen) {
        clock_.sleepFor(kTick);
        if (tickCount.fetch_add(1) + 1 > kReplyTickLimit) {
            // No wait has begun for too long: the link is lost.
            link_.CloseModule();
            stopThreads = true;
            linkOpen = false;
            wakeWaiter();
        }
    }
    watchdogRunning_ = false;
    notifyWaiter();
}

}  // namespace corsel
