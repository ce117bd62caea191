#pragma once

#include <cstddef>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "link/HidBackend.h"
#include "platform/Clock.h"
#include "sim/SimulatedModule.h"

namespace corsel {

class ReplyScheduler;
class SimulatedBootLoader;
class SimulatedDevice;

// A USB bus of virtual HID devices behind the HidBackend interface: plain
// devices of other makers that never answer, interface modules in normal mode
// and their boot loaders. Devices are listed in the order they were added;
// a device with several usages is listed once per usage under one path, as
// hidapi does. Reads block like a real device's; replies with a delay are
// delivered by the bus's own thread, which counts 1 ms ticks of the clock.
class SimulatedHidBackend final : public HidBackend {
public:
    explicit SimulatedHidBackend(Clock& clock);
    ~SimulatedHidBackend() override;

    // --- Layout. Each returns the device's slot (its place in the listing).
    std::size_t addPlainDevice(HidAttributes identity, int usages = 1);
    // A module in normal mode (0x04D8/0x05F4); its firmware stays reachable
    // through module(slot) for scripting.
    std::size_t addModule(SimulatedModule::Options options = {}, int usages = 1);
    // A module that sits in its boot loader (0x04D8/0x05F5).
    std::size_t addBootLoader(SimulatedModule::Options options = {});

    // The firmware of the module in `slot`, for scripting. Throws
    // std::out_of_range for a slot never added and std::logic_error when the
    // device there is not a module in normal mode (a plain device, or a module
    // in its boot loader). The reference is good until the device restarts:
    // a restart puts new firmware in.
    SimulatedModule& module(std::size_t slot);
    bool hasModule(std::size_t slot) const;
    std::string pathOf(std::size_t slot) const;
    HidAttributes identityOf(std::size_t slot) const;

    // --- Plugging: an unplugged device leaves the listing, and every handle
    // on it fails its reads and writes.
    void unplug(std::size_t slot);
    void replug(std::size_t slot);
    bool isPlugged(std::size_t slot) const;

    // --- Library loading, with failures on request.
    void failHidLibrary(std::optional<LibraryLoadFailure> failure);
    void failSetupLibrary(std::optional<LibraryLoadFailure> failure);
    bool hidLibraryLoaded() const;
    bool setupLibraryLoaded() const;

    // --- Observation for tests.
    std::size_t openHandleCount() const;
    std::vector<std::string> openedPaths() const;  // every open() call, in order
    void clearOpenedPaths();

    // HidBackend
    std::optional<LibraryLoadFailure> loadHidLibrary() override;
    std::optional<LibraryLoadFailure> loadSetupLibrary() override;
    void unloadSetupLibrary() override;
    void unloadHidLibrary() override;
    std::optional<std::vector<std::string>> listInterfaces() override;
    std::unique_ptr<HidHandle> open(const std::string& path, HidAccess access) override;

private:
    // A place in the listing. A restart keeps the place and the device object
    // and puts other firmware behind them.
    struct Slot {
        std::shared_ptr<SimulatedDevice> device;
        int usages = 1;
        SimulatedModule* module = nullptr;          // the device's firmware in normal mode
        SimulatedBootLoader* bootLoader = nullptr;  // the device's firmware in its boot loader
    };

    std::size_t addDevice(HidAttributes identity, int usages,
                          std::unique_ptr<DeviceFirmware> firmware, SimulatedModule* module,
                          SimulatedBootLoader* bootLoader);
    std::string newPathLocked();
    // On the scheduler's thread, once a restarting device is due back.
    void completeRestart(std::size_t slot, DeviceAction action);

    Clock& clock_;

    mutable std::mutex mutex_;
    std::vector<Slot> slots_;                         // under mutex_
    std::size_t pathsIssued_ = 0;                     // under mutex_
    std::optional<LibraryLoadFailure> hidFailure_;    // under mutex_
    std::optional<LibraryLoadFailure> setupFailure_;  // under mutex_
    bool hidLoaded_ = false;                          // under mutex_
    bool setupLoaded_ = false;                        // under mutex_
    std::vector<std::string> openedPaths_;            // under mutex_

    // Delayed replies and restarts. Its events call back into this object, so
    // the destructor stops it before anything else goes.
    std::unique_ptr<ReplyScheduler> scheduler_;
};

}  // namespace corsel
