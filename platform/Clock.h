#pragma once

#include <chrono>

namespace corsel {

struct TimeOfDay {
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// Every sleep, tick and time of day reading of the core goes through a Clock,
// so that tests can run the link's limits (thousands of 1 ms ticks) faster
// than real time while the program keeps real ones.
class Clock {
public:
    using Duration = std::chrono::microseconds;

    virtual ~Clock() = default;

    virtual void sleepFor(Duration duration) = 0;

    // Monotonic time since an arbitrary start.
    virtual Duration now() const = 0;

    // The local time of day on the computer's clock.
    virtual TimeOfDay timeOfDay() const;
};

// Real time.
class SystemClock final : public Clock {
public:
    void sleepFor(Duration duration) override;
    Duration now() const override;
};

// Time running `speedup` times faster than real time: a sleep of 1 ms takes
// 1/speedup ms, and now() advances `speedup` times as fast. Tests use it to
// reach the transport's tick limits quickly; the logic sees the same counts.
class ScaledClock final : public Clock {
public:
    explicit ScaledClock(double speedup);

    void sleepFor(Duration duration) override;
    Duration now() const override;

private:
    double speedup_;
    std::chrono::steady_clock::time_point start_;
};

}  // namespace corsel
