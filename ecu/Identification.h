#pragma once

#include "ecu/ChannelDecoder.h"
#include "link/SessionRecords.h"

namespace corsel {

// One identification-and-display pass of the engine-data page: looks the ECM
// ID up and shows the channels its profile names, or the marine layout.
// Returns false when the ECM ID is not in the table (nothing is shown).
// Sets MarineMode when block 1x says the ECM is an outboard one.
bool ApplyIdentification(ChannelDecoder& decoder, SessionRecords& records);

}  // namespace corsel
