#include "sim/StandardLayout.h"

#include "sim/SimulatedHidBackend.h"

namespace corsel {

std::size_t addStandardLayout(SimulatedHidBackend& bus, std::chrono::milliseconds latency) {
    bus.addPlainDevice({0x046D, 0xC31C}, 2);  // a keyboard: keys and media keys
    bus.addPlainDevice({0x046D, 0xC077});     // a mouse
    // The module's maker, another product: the search must check both IDs.
    bus.addPlainDevice({kModuleVendorId, 0x000A});
    SimulatedModule::Options options;
    options.latency = latency;
    return bus.addModule(options);
}

}  // namespace corsel
