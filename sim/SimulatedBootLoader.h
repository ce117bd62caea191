#pragma once

#include "sim/DeviceFirmware.h"
#include "sim/SimulatedModule.h"

namespace corsel {

// The firmware of the interface module while it sits in its boot loader
// (0x04D8/0x05F5). It keeps the options of the module it came from, so that
// the module comes back as it was when the boot loader restarts it.
class SimulatedBootLoader final : public DeviceFirmware {
public:
    explicit SimulatedBootLoader(SimulatedModule::Options moduleOptions);

    // Answers nothing yet.
    FirmwareResponse handleReport(const ModuleReport& report) override;

    const SimulatedModule::Options& moduleOptions() const { return moduleOptions_; }

private:
    const SimulatedModule::Options moduleOptions_;
};

}  // namespace corsel
