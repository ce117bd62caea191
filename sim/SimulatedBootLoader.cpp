#include "sim/SimulatedBootLoader.h"

#include <utility>

namespace corsel {

SimulatedBootLoader::SimulatedBootLoader(SimulatedModule::Options moduleOptions)
    : moduleOptions_(std::move(moduleOptions)) {}

FirmwareResponse SimulatedBootLoader::handleReport(const ModuleReport& /*report*/) {
    return {};
}

}  // namespace corsel
