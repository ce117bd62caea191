#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>

#include "link/HidBackend.h"

namespace corsel {

class SimulatedDevice;

// An open handle on a simulated device, with the access rules of a real one:
// any handle reads the device's identity, only Write and ReadWrite handles
// write, only Read and ReadWrite handles read. Each reading handle has its own
// input queue. Once the device leaves the bus the handle is dead: reads and
// writes fail even if the device comes back.
class SimulatedHandle final : public HidHandle {
public:
    // Reports a handle holds unread at most; newer ones are dropped, as the
    // kernel does when nobody reads.
    static constexpr std::size_t kQueueLimit = 64;

    // Made by SimulatedDevice::open(), which registers it.
    SimulatedHandle(std::shared_ptr<SimulatedDevice> device, HidAccess access,
                    std::uint64_t generation);
    ~SimulatedHandle() override;
    SimulatedHandle(const SimulatedHandle&) = delete;
    SimulatedHandle& operator=(const SimulatedHandle&) = delete;

    std::optional<HidAttributes> attributes() override;
    bool write(const ModuleReport& report) override;
    // Waits up to `timeout` of real time.
    ReadOutcome read(ModuleReport& report, std::chrono::milliseconds timeout) override;

    // For the device, with the device's lock held.
    bool canRead() const { return access_ == HidAccess::Read || access_ == HidAccess::ReadWrite; }
    std::uint64_t generation() const { return generation_; }
    void enqueue(const ModuleReport& report);
    void markGone();

private:
    bool canWrite() const { return access_ == HidAccess::Write || access_ == HidAccess::ReadWrite; }

    const std::shared_ptr<SimulatedDevice> device_;
    const HidAccess access_;
    const std::uint64_t generation_;  // the device's presence this handle belongs to

    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<ModuleReport> queue_;  // under mutex_
    bool gone_ = false;               // under mutex_
};

}  // namespace corsel
