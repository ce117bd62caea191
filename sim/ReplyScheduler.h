#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <thread>

#include "platform/Clock.h"

namespace corsel {

// The simulated bus's own thread for things that happen later: replies that
// come after a delay, a device coming back after a restart. Delays are counted
// in 1 ms sleeps of the clock, the way the host's watchdog counts its ticks, so
// a delay of N ms is N ticks on both sides whatever the clock's speed (reading
// clock.now() instead would let a slow host see a late reply as punctual).
//
// The thread idles when nothing is pending. Events run one at a time, in the
// order they fall due (those due on the same tick in the order given), without
// the scheduler's lock: an event may take other locks and schedule more.
class ReplyScheduler {
public:
    explicit ReplyScheduler(Clock& clock);
    // Stops; pending events are dropped.
    ~ReplyScheduler();
    ReplyScheduler(const ReplyScheduler&) = delete;
    ReplyScheduler& operator=(const ReplyScheduler&) = delete;

    // Ignored once stopped.
    void schedule(std::chrono::milliseconds delay, std::function<void()> event);

    // Drops what is pending and ends the thread, after the event that is
    // running (if any) has returned. Must not be called from an event.
    void stop();

private:
    void run();

    Clock& clock_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::multimap<std::uint64_t, std::function<void()>> pending_;  // by due tick; under mutex_
    std::uint64_t tick_ = 0;  // ticks counted while something was pending; under mutex_
    bool midTick_ = false;    // a tick's sleep is under way; under mutex_
    bool stopping_ = false;   // under mutex_
    std::thread thread_;      // last: starts once the rest is ready
};

}  // namespace corsel
