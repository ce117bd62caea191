#include "platform/Clock.h"

#include <ctime>
#include <thread>

namespace corsel {

TimeOfDay Clock::timeOfDay() const {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (localtime_r(&now, &local) == nullptr) {
        return {};
    }
    return {local.tm_hour, local.tm_min, local.tm_sec};
}

void SystemClock::sleepFor(Duration duration) {
    std::this_thread::sleep_for(duration);
}

Clock::Duration SystemClock::now() const {
    return std::chrono::duration_cast<Duration>(
        std::chrono::steady_clock::now().time_since_epoch());
}

ScaledClock::ScaledClock(double speedup)
    : speedup_(speedup > 0 ? speedup : 1.0), start_(std::chrono::steady_clock::now()) {}

void ScaledClock::sleepFor(Duration duration) {
    std::this_thread::sleep_for(std::chrono::duration<double, std::micro>(
        static_cast<double>(duration.count()) / speedup_));
}

Clock::Duration ScaledClock::now() const {
    const std::chrono::duration<double, std::micro> real =
        std::chrono::steady_clock::now() - start_;
    return Duration(static_cast<Duration::rep>(real.count() * speedup_));
}

}  // namespace corsel
