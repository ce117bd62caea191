#include "sim/SimulatedHandle.h"

#include <utility>

#include "sim/SimulatedDevice.h"

namespace corsel {

SimulatedHandle::SimulatedHandle(std::shared_ptr<SimulatedDevice> device, HidAccess access,
                                 std::uint64_t generation)
    : device_(std::move(device)), access_(access), generation_(generation) {}

// Once the device has let go, nothing calls enqueue() or markGone() any more.
SimulatedHandle::~SimulatedHandle() {
    device_->close(*this);
}

std::optional<HidAttributes> SimulatedHandle::attributes() {
    return device_->attributes(*this);
}

bool SimulatedHandle::write(const ModuleReport& report) {
    return canWrite() && device_->write(*this, report);
}

ReadOutcome SimulatedHandle::read(ModuleReport& report, std::chrono::milliseconds timeout) {
    if (!canRead()) {
        return ReadOutcome::Failed;
    }
    std::unique_lock lock(mutex_);
    if (!changed_.wait_for(lock, timeout, [this] { return gone_ || !queue_.empty(); })) {
        return ReadOutcome::TimedOut;
    }
    if (gone_) {
        return ReadOutcome::Failed;
    }
    report = queue_.front();
    queue_.pop_front();
    report[0] = 0;  // the report ID is not part of what a read returns
    return ReadOutcome::Report;
}

void SimulatedHandle::enqueue(const ModuleReport& report) {
    std::lock_guard lock(mutex_);
    if (gone_ || queue_.size() >= kQueueLimit) {
        return;
    }
    queue_.push_back(report);
    changed_.notify_all();
}

void SimulatedHandle::markGone() {
    std::lock_guard lock(mutex_);
    gone_ = true;
    queue_.clear();
    changed_.notify_all();
}

}  // namespace corsel
