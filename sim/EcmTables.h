#pragma once

#include <cstdint>
#include <vector>

#include "sim/EcmScenario.h"
#include "sim/EngineModel.h"

namespace corsel {

// The ECM's data tables. The sensors of the 1x and 2x tables are also kept
// frozen at a fault, in the 6x and 7x tables of the same layouts.
enum class EcmTable { Sensors1x, Sensors2x, TableD0, TableD1, TableD3 };

// The data of one table, entry 4 onwards, for the engine state: each value
// sits at the entries that the decoding reads for the scenario's family and
// 1x layout, as the byte that its formula turns back into the value (clamped
// to 0-255). Entries that nothing reads are 0.
std::vector<std::uint8_t> encodeEcmTable(EcmTable table, const EcmScenario& scenario,
                                         const EngineState& state);

}  // namespace corsel
