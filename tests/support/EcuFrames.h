#pragma once

#include <cstdint>
#include <vector>

#include "link/ModuleReport.h"
#include "sim/EcmFrames.h"

namespace corsel::testing {

// An ECU frame as the module relays it, with a checksum that makes it valid,
// or one off when `valid` is false.
inline ModuleReport ecuFrame(std::uint8_t type, std::uint8_t service, std::uint8_t table,
                             const std::vector<std::uint8_t>& data, bool valid = true) {
    ModuleReport frame = makeEcuFrame(type, service, table, data);
    if (!valid) {
        ++frame[frame[2]];
    }
    return frame;
}

// A motorcycle fault page: byte 5 the number of codes (left 0), then up to
// three (main, sub) pairs.
inline ModuleReport faultPageFrame(std::uint8_t service, std::uint8_t page,
                                   std::vector<std::uint8_t> pairs) {
    pairs.resize(6, 0);
    std::vector<std::uint8_t> data{0};
    data.insert(data.end(), pairs.begin(), pairs.end());
    return ecuFrame(2, service, page, data);
}

}  // namespace corsel::testing
