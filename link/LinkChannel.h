#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

#include "link/ModuleLink.h"
#include "link/ModuleReport.h"
#include "platform/Clock.h"

namespace corsel {

// Moves reports to and from the open module: a reader thread that takes every
// incoming report, a watchdog that declares the link lost when no wait for a
// reply has begun for kReplyTickLimit ticks, SendReport and WaitReply.
//
// There is no matching of replies to requests: a wait is satisfied by the
// oldest report that arrived after the last write and that no earlier wait has
// taken, whatever it holds; callers judge the content. SendReport drops what is
// left before it writes, so a reply that comes before the wait begins is kept,
// while one left over from an earlier exchange is not. A request answered twice
// satisfies two waits, however close together the copies come.
//
// sendReport and receiveReport belong to the user-interface thread. The reader
// queues its own copies under a lock, and WaitReply hands one over whole into
// receiveReport, so the user-interface thread never sees a report half replaced.
class LinkChannel {
public:
    static constexpr std::uint32_t kReplyTickLimit = 2900;
    // A read error on more passes than this in a row means the link is lost.
    static constexpr int kReaderFailedPassLimit = 50;
    // Reads wait this long at most, so the reader sees the flags between reads
    // and never holds the device for long.
    static constexpr std::chrono::milliseconds kReadTimeout{2};
    // Reports kept for waits still to come; beyond this the oldest goes.
    static constexpr std::size_t kPendingLimit = 64;

    LinkChannel(ModuleLink& link, Clock& clock);
    ~LinkChannel();
    LinkChannel(const LinkChannel&) = delete;
    LinkChannel& operator=(const LinkChannel&) = delete;

    ModuleReport sendReport{};
    ModuleReport receiveReport{};

    std::atomic<bool> linkOpen{false};
    std::atomic<bool> replyArrived{true};
    std::atomic<bool> lastReadOk{false};
    std::atomic<std::uint32_t> tickCount{0};
    std::atomic<bool> stopThreads{false};

    bool SendReport();
    bool WaitReply();

    // Starts the reader, then the watchdog. The threads of an earlier link are
    // stopped and joined first, so that one reader and one watchdog run at most.
    void startThreads();
    // Stops both threads and waits until they have ended.
    void joinThreads();
    bool readerRunning() const { return readerRunning_; }
    bool watchdogRunning() const { return watchdogRunning_; }

    // Wakes a waiter without a report (the wait then fails unless one came).
    void wakeWaiter();

    // Gives the link up as a failed wait does: both threads stop, the session
    // is reset and linkOpen cleared. For exchanges that the module never
    // brings to an end although each of its replies comes in time.
    void dropLink();

    // Called when a write or a wait fails: the session loop clears its session
    // and the user interface's session state.
    void setResetSession(std::function<void()> resetSession);

    // Reports taken by the reader since the start, for tests and benchmarks.
    std::uint64_t arrivals() const;

private:
    void ReaderThread();
    void WatchdogThread();
    void notifyWaiter();

    ModuleLink& link_;
    Clock& clock_;
    std::function<void()> resetSession_;

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<ModuleReport> pending_;  // under mutex_
    std::uint64_t arrivals_ = 0;        // under mutex_

    std::atomic<bool> readerRunning_{false};
    std::atomic<bool> watchdogRunning_{false};
    std::thread reader_;
    std::thread watchdog_;
};

}  // namespace corsel
