#include "sim/SimulatedHidBackend.h"

#include <stdexcept>
#include <utility>

#include "sim/ReplyScheduler.h"
#include "sim/SimulatedBootLoader.h"
#include "sim/SimulatedDevice.h"
#include "sim/SimulatedHandle.h"

namespace corsel {

SimulatedHidBackend::SimulatedHidBackend(Clock& clock)
    : clock_(clock), scheduler_(std::make_unique<ReplyScheduler>(clock)) {}

// Handles may keep devices alive past this point: cut them off from the
// scheduler first, then stop it, so that no event runs on a dead bus.
SimulatedHidBackend::~SimulatedHidBackend() {
    std::vector<std::shared_ptr<SimulatedDevice>> devices;
    {
        std::lock_guard lock(mutex_);
        for (const Slot& slot : slots_) {
            devices.push_back(slot.device);
        }
    }
    for (const auto& device : devices) {
        device->disconnectBus();
    }
    scheduler_->stop();
}

std::size_t SimulatedHidBackend::addPlainDevice(HidAttributes identity, int usages) {
    return addDevice(identity, usages, nullptr, nullptr, nullptr);
}

std::size_t SimulatedHidBackend::addModule(SimulatedModule::Options options, int usages) {
    auto module = std::make_unique<SimulatedModule>(clock_, std::move(options));
    SimulatedModule* firmware = module.get();
    return addDevice({kModuleVendorId, kModuleProductId}, usages, std::move(module), firmware,
                     nullptr);
}

std::size_t SimulatedHidBackend::addBootLoader(SimulatedModule::Options options) {
    auto bootLoader = std::make_unique<SimulatedBootLoader>(std::move(options));
    SimulatedBootLoader* firmware = bootLoader.get();
    return addDevice({kModuleVendorId, kBootLoaderProductId}, 1, std::move(bootLoader), nullptr,
                     firmware);
}

std::size_t SimulatedHidBackend::addDevice(HidAttributes identity, int usages,
                                           std::unique_ptr<DeviceFirmware> firmware,
                                           SimulatedModule* module,
                                           SimulatedBootLoader* bootLoader) {
    std::lock_guard lock(mutex_);
    const std::size_t index = slots_.size();
    auto device = std::make_shared<SimulatedDevice>(newPathLocked(), identity, std::move(firmware));
    // The slot outlives nothing that runs this: the scheduler stops first.
    device->connectBus(*scheduler_,
                       [this, index](DeviceAction action) { completeRestart(index, action); });
    slots_.push_back({std::move(device), usages < 1 ? 1 : usages, module, bootLoader});
    return index;
}

std::string SimulatedHidBackend::newPathLocked() {
    return "sim:hidraw" + std::to_string(pathsIssued_++);
}

void SimulatedHidBackend::completeRestart(std::size_t index, DeviceAction action) {
    std::unique_ptr<DeviceFirmware> retired;  // goes after the lock is released
    std::lock_guard lock(mutex_);
    Slot& slot = slots_.at(index);
    SimulatedModule::Options options;
    if (slot.module != nullptr) {
        options = slot.module->options();
    } else if (slot.bootLoader != nullptr) {
        options = slot.bootLoader->moduleOptions();
    }

    std::unique_ptr<DeviceFirmware> firmware;
    HidAttributes identity{kModuleVendorId, kModuleProductId};
    if (action == DeviceAction::RestartInBootLoader) {
        auto bootLoader = std::make_unique<SimulatedBootLoader>(std::move(options));
        slot.module = nullptr;
        slot.bootLoader = bootLoader.get();
        identity.productId = kBootLoaderProductId;
        firmware = std::move(bootLoader);
    } else {
        auto module = std::make_unique<SimulatedModule>(clock_, std::move(options));
        slot.module = module.get();
        slot.bootLoader = nullptr;
        firmware = std::move(module);
    }
    retired = slot.device->restart(newPathLocked(), identity, std::move(firmware));
}

SimulatedModule& SimulatedHidBackend::module(std::size_t slot) {
    std::lock_guard lock(mutex_);
    SimulatedModule* module = slots_.at(slot).module;
    if (module == nullptr) {
        throw std::logic_error("slot " + std::to_string(slot) + " holds no module in normal mode");
    }
    return *module;
}

bool SimulatedHidBackend::hasModule(std::size_t slot) const {
    std::lock_guard lock(mutex_);
    return slot < slots_.size() && slots_[slot].module != nullptr;
}

std::string SimulatedHidBackend::pathOf(std::size_t slot) const {
    std::lock_guard lock(mutex_);
    return slots_.at(slot).device->path();
}

HidAttributes SimulatedHidBackend::identityOf(std::size_t slot) const {
    std::lock_guard lock(mutex_);
    return slots_.at(slot).device->identity();
}

void SimulatedHidBackend::unplug(std::size_t slot) {
    std::lock_guard lock(mutex_);
    slots_.at(slot).device->unplug();
}

void SimulatedHidBackend::replug(std::size_t slot) {
    std::lock_guard lock(mutex_);
    slots_.at(slot).device->replug();
}

bool SimulatedHidBackend::isPlugged(std::size_t slot) const {
    std::lock_guard lock(mutex_);
    return slots_.at(slot).device->isPlugged();
}

void SimulatedHidBackend::failHidLibrary(std::optional<LibraryLoadFailure> failure) {
    std::lock_guard lock(mutex_);
    hidFailure_ = std::move(failure);
}

void SimulatedHidBackend::failSetupLibrary(std::optional<LibraryLoadFailure> failure) {
    std::lock_guard lock(mutex_);
    setupFailure_ = std::move(failure);
}

bool SimulatedHidBackend::hidLibraryLoaded() const {
    std::lock_guard lock(mutex_);
    return hidLoaded_;
}

bool SimulatedHidBackend::setupLibraryLoaded() const {
    std::lock_guard lock(mutex_);
    return setupLoaded_;
}

std::size_t SimulatedHidBackend::openHandleCount() const {
    std::lock_guard lock(mutex_);
    std::size_t count = 0;
    for (const Slot& slot : slots_) {
        count += slot.device->openHandleCount();
    }
    return count;
}

std::vector<std::string> SimulatedHidBackend::openedPaths() const {
    std::lock_guard lock(mutex_);
    return openedPaths_;
}

void SimulatedHidBackend::clearOpenedPaths() {
    std::lock_guard lock(mutex_);
    openedPaths_.clear();
}

std::optional<LibraryLoadFailure> SimulatedHidBackend::loadHidLibrary() {
    std::lock_guard lock(mutex_);
    hidLoaded_ = !hidFailure_;
    return hidFailure_;
}

std::optional<LibraryLoadFailure> SimulatedHidBackend::loadSetupLibrary() {
    std::lock_guard lock(mutex_);
    setupLoaded_ = !setupFailure_;
    return setupFailure_;
}

void SimulatedHidBackend::unloadSetupLibrary() {
    std::lock_guard lock(mutex_);
    setupLoaded_ = false;
}

void SimulatedHidBackend::unloadHidLibrary() {
    std::lock_guard lock(mutex_);
    hidLoaded_ = false;
}

std::optional<std::vector<std::string>> SimulatedHidBackend::listInterfaces() {
    std::lock_guard lock(mutex_);
    std::vector<std::string> paths;
    for (const Slot& slot : slots_) {
        if (!slot.device->isPlugged()) {
            continue;
        }
        // hidapi lists a device once per usage, each time under the same path.
        paths.insert(paths.end(), static_cast<std::size_t>(slot.usages), slot.device->path());
    }
    return paths;
}

std::unique_ptr<HidHandle> SimulatedHidBackend::open(const std::string& path, HidAccess access) {
    std::lock_guard lock(mutex_);
    openedPaths_.push_back(path);
    for (const Slot& slot : slots_) {
        if (slot.device->path() == path) {
            return slot.device->open(access);  // null while unplugged
        }
    }
    return nullptr;
}

}  // namespace corsel
