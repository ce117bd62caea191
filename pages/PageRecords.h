#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ecu/LiveValues.h"

namespace corsel {

// What the pages show, kept for the whole run: other windows (graph, export,
// report) read it.
struct PageRecords {
    LiveValues live;
    // Code text, meaning and occurrence of each fault row last drawn.
    std::vector<std::string> FaultRows;
    // Set once the unknown-ECM message was shown: it comes once per run.
    bool UnsupportedShown = false;
    // The help window's topic: page + 1, or 100 for the program information;
    // 0 while no help is open.
    std::uint16_t HelpTopic = 0;
};

}  // namespace corsel
