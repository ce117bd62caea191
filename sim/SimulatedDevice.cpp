#include "sim/SimulatedDevice.h"

#include <algorithm>
#include <utility>

#include "sim/ReplyScheduler.h"
#include "sim/SimulatedHandle.h"

namespace corsel {

SimulatedDevice::SimulatedDevice(std::string path, HidAttributes identity,
                                 std::unique_ptr<DeviceFirmware> firmware)
    : path_(std::move(path)), identity_(identity), firmware_(std::move(firmware)) {}

SimulatedDevice::~SimulatedDevice() = default;

void SimulatedDevice::connectBus(ReplyScheduler& scheduler, RestartHandler onRestart) {
    std::lock_guard lock(mutex_);
    scheduler_ = &scheduler;
    onRestart_ = std::move(onRestart);
}

void SimulatedDevice::disconnectBus() {
    RestartHandler dropped;
    std::lock_guard lock(mutex_);
    scheduler_ = nullptr;
    dropped.swap(onRestart_);
}

std::string SimulatedDevice::path() const {
    std::lock_guard lock(mutex_);
    return path_;
}

HidAttributes SimulatedDevice::identity() const {
    std::lock_guard lock(mutex_);
    return identity_;
}

bool SimulatedDevice::isPlugged() const {
    std::lock_guard lock(mutex_);
    return plugged_;
}

std::size_t SimulatedDevice::openHandleCount() const {
    std::lock_guard lock(mutex_);
    return handles_.size();
}

void SimulatedDevice::unplug() {
    std::lock_guard lock(mutex_);
    unplugLocked();
}

void SimulatedDevice::replug() {
    std::lock_guard lock(mutex_);
    plugged_ = true;
}

std::unique_ptr<DeviceFirmware> SimulatedDevice::restart(std::string path, HidAttributes identity,
                                                         std::unique_ptr<DeviceFirmware> firmware) {
    std::lock_guard lock(mutex_);
    unplugLocked();
    path_ = std::move(path);
    identity_ = identity;
    firmware_.swap(firmware);
    plugged_ = true;
    return firmware;
}

std::unique_ptr<SimulatedHandle> SimulatedDevice::open(HidAccess access) {
    std::lock_guard lock(mutex_);
    if (!plugged_) {
        return nullptr;
    }
    auto handle = std::make_unique<SimulatedHandle>(shared_from_this(), access, generation_);
    handles_.push_back(handle.get());
    return handle;
}

std::optional<HidAttributes> SimulatedDevice::attributes(const SimulatedHandle& handle) const {
    std::lock_guard lock(mutex_);
    if (!reachableLocked(handle)) {
        return std::nullopt;
    }
    return identity_;
}

bool SimulatedDevice::write(const SimulatedHandle& handle, const ModuleReport& report) {
    std::lock_guard lock(mutex_);
    if (!reachableLocked(handle)) {
        return false;
    }
    if (!firmware_) {
        return true;
    }

    const FirmwareResponse response = firmware_->handleReport(report);
    for (const SimulatedReply& reply : response.replies) {
        if (reply.delay <= std::chrono::milliseconds(0)) {
            deliverLocked(reply.report);
        } else if (scheduler_ != nullptr) {
            scheduler_->schedule(reply.delay, [device = weak_from_this(), report = reply.report,
                                               generation = generation_] {
                if (auto alive = device.lock()) {
                    alive->deliverLater(report, generation);
                }
            });
        }
    }

    switch (response.action) {
        case DeviceAction::None:
            break;
        case DeviceAction::Unplug:
            unplugLocked();
            break;
        case DeviceAction::RestartInBootLoader:
        case DeviceAction::RestartInApplication:
            unplugLocked();
            if (scheduler_ != nullptr && onRestart_) {
                scheduler_->schedule(
                    kRestartDelay,
                    [handler = onRestart_, action = response.action] { handler(action); });
            }
            break;
    }
    return true;
}

void SimulatedDevice::close(const SimulatedHandle& handle) {
    std::lock_guard lock(mutex_);
    std::erase(handles_, &handle);
}

bool SimulatedDevice::reachableLocked(const SimulatedHandle& handle) const {
    return plugged_ && handle.generation() == generation_;
}

// Every handle that may read gets its own copy, as hidraw gives each open
// file its own queue.
void SimulatedDevice::deliverLocked(const ModuleReport& report) {
    for (SimulatedHandle* handle : handles_) {
        if (handle->canRead() && reachableLocked(*handle)) {
            handle->enqueue(report);
        }
    }
}

void SimulatedDevice::deliverLater(const ModuleReport& report, std::uint64_t generation) {
    std::lock_guard lock(mutex_);
    if (plugged_ && generation == generation_) {
        deliverLocked(report);
    }
}

void SimulatedDevice::unplugLocked() {
    if (!plugged_) {
        return;
    }
    plugged_ = false;
    ++generation_;
    for (SimulatedHandle* handle : handles_) {
        handle->markGone();
    }
}

}  // namespace corsel
