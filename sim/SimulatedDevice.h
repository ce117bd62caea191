#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "link/HidBackend.h"
#include "sim/DeviceFirmware.h"

namespace corsel {

class ReplyScheduler;
class SimulatedHandle;

// One virtual HID device on the simulated bus: its path and identity, whether
// it is plugged in, the firmware that answers its reports and the handles
// open on it. Create it with std::make_shared: its handles keep it alive, so
// a handle may outlive the bus.
//
// Every time the device leaves the bus, the handles open on it die for good
// (their reads and writes fail, blocked readers wake) and replies still on
// their way are lost; handles opened after it comes back are new ones, as
// with a real device node.
//
// Lock order: the bus's lock, then the device's, then the scheduler's or a
// handle's. The device never calls into the bus itself: delayed replies and
// restarts go through the scheduler, whose events run without its lock.
class SimulatedDevice : public std::enable_shared_from_this<SimulatedDevice> {
public:
    // How long a restarting device stays off the bus.
    static constexpr std::chrono::milliseconds kRestartDelay{1500};

    // Called on the scheduler's thread kRestartDelay after the firmware asked
    // for a restart; the bus puts the new firmware in with restart().
    using RestartHandler = std::function<void(DeviceAction)>;

    // Without firmware the device takes every report and never answers.
    SimulatedDevice(std::string path, HidAttributes identity,
                    std::unique_ptr<DeviceFirmware> firmware);
    ~SimulatedDevice();
    SimulatedDevice(const SimulatedDevice&) = delete;
    SimulatedDevice& operator=(const SimulatedDevice&) = delete;

    // Until connected, and after disconnectBus(), replies with a delay are
    // dropped and restarts never complete. The bus disconnects its devices
    // before its scheduler stops.
    void connectBus(ReplyScheduler& scheduler, RestartHandler onRestart);
    void disconnectBus();

    std::string path() const;
    HidAttributes identity() const;
    bool isPlugged() const;
    std::size_t openHandleCount() const;  // handles not yet closed, dead ones too

    void unplug();
    void replug();
    // Back on the bus under a new path and identity with new firmware; returns
    // the old firmware.
    std::unique_ptr<DeviceFirmware> restart(std::string path, HidAttributes identity,
                                            std::unique_ptr<DeviceFirmware> firmware);

    // Null when the device is unplugged.
    std::unique_ptr<SimulatedHandle> open(HidAccess access);

    // For SimulatedHandle, which has checked its access rights.
    std::optional<HidAttributes> attributes(const SimulatedHandle& handle) const;
    bool write(const SimulatedHandle& handle, const ModuleReport& report);
    void close(const SimulatedHandle& handle);

private:
    bool reachableLocked(const SimulatedHandle& handle) const;
    void deliverLocked(const ModuleReport& report);
    void deliverLater(const ModuleReport& report, std::uint64_t generation);
    void unplugLocked();

    mutable std::mutex mutex_;
    std::string path_;                          // under mutex_
    HidAttributes identity_;                    // under mutex_
    bool plugged_ = true;                       // under mutex_
    std::uint64_t generation_ = 0;              // one more each time it leaves; under mutex_
    std::unique_ptr<DeviceFirmware> firmware_;  // under mutex_
    std::vector<SimulatedHandle*> handles_;     // open, in opening order; under mutex_
    ReplyScheduler* scheduler_ = nullptr;       // under mutex_
    RestartHandler onRestart_;                  // under mutex_
};

}  // namespace corsel
