#pragma once

#include <chrono>
#include <thread>

namespace corsel::testing {

// Polls `condition` until it holds or `limit` of real time has passed; the
// limit only bounds a failing test, it is not what the test measures.
template <typename Condition>
bool waitFor(Condition condition, std::chrono::milliseconds limit = std::chrono::seconds(20)) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

}  // namespace corsel::testing
