#pragma once

#include <chrono>
#include <vector>

#include "link/ModuleReport.h"

namespace corsel {

// One report that a simulated device sends back, `delay` after the report that
// caused it was written (0 = at once, before the write returns).
struct SimulatedReply {
    ModuleReport report{};
    std::chrono::milliseconds delay{0};
};

// What a simulated device does with the device itself after a report.
enum class DeviceAction {
    None,
    Unplug,               // leaves the bus at once: reads and writes fail
    RestartInBootLoader,  // leaves the bus and comes back in its boot loader
    RestartInApplication  // leaves the bus and comes back in normal mode
};

struct FirmwareResponse {
    std::vector<SimulatedReply> replies;
    DeviceAction action = DeviceAction::None;
};

// The program that runs inside a simulated device: it takes each report the
// host writes and says what comes back. Called with the device's lock held,
// from whichever thread writes; must not call back into the device.
class DeviceFirmware {
public:
    virtual ~DeviceFirmware() = default;
    virtual FirmwareResponse handleReport(const ModuleReport& report) = 0;
};

}  // namespace corsel
