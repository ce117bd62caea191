#pragma once

#include <vector>

#include "link/ModuleReport.h"

namespace corsel {

// The engine control module on the far side of the module's diagnostic line.
// The simulated module relays every command that it does not answer itself
// and sends back the reports returned here (bytes 1-64; the module stamps
// bytes 61-64 with its clock). An empty answer means the ECM stays silent.
class EcmResponder {
public:
    virtual ~EcmResponder() = default;
    virtual std::vector<ModuleReport> answer(const ModuleReport& command) = 0;

    // "Disc": the module ends its link to the ECM.
    virtual void disconnect() {}
};

}  // namespace corsel
