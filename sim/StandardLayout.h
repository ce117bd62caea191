#pragma once

#include <chrono>
#include <cstddef>

namespace corsel {

class SimulatedHidBackend;

// The bus that `--simulate` shows: a few devices of other makers (one with two
// usages), a device of the module's maker with another product ID, then the
// interface module. Returns the module's slot.
std::size_t addStandardLayout(SimulatedHidBackend& bus, std::chrono::milliseconds latency);

}  // namespace corsel
