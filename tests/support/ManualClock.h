#pragma once

#include <atomic>

#include "platform/Clock.h"

namespace corsel::testing {

// Time that moves only when the test says so; a sleep moves it at once.
class ManualClock final : public Clock {
public:
    void sleepFor(Duration duration) override { advance(duration); }
    Duration now() const override { return Duration(now_.load()); }
    void advance(Duration duration) { now_ += duration.count(); }

private:
    std::atomic<Duration::rep> now_{0};
};

}  // namespace corsel::testing
