#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "sim/SimulatedModule.h"

namespace corsel::testing {

// The commands the module got from the `from`th on.
inline std::vector<std::string> commandsSince(const SimulatedModule& module, std::size_t from) {
    const auto all = module.receivedCommands();
    return {all.begin() + static_cast<long>(std::min(from, all.size())), all.end()};
}

}  // namespace corsel::testing
