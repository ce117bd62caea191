#include "sim/EcmScenario.h"

#include <algorithm>

namespace corsel {

namespace {

// Channels 0-8 with their first layout, and channels 9 and 10 with the
// second: what an ECM of this kind with a 0x11 table serves.
constexpr std::array<std::uint8_t, 15> kFullLayout{1, 1, 1, 1, 1, 1, 1, 1, 1, 2, 2, 0, 0, 0, 0};
constexpr std::array<std::uint8_t, 15> kBasicLayout{1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0};

std::vector<EcmScenario> makeScenarios() {
    const EcmScenario standard{
        .name = "standard",
        .description = "Healthy motorcycle, ECM 0102E5, no fault codes",
        .family = EcmFamily::Motorcycle,
        .identification = {0x01, 0x02, 0xE5, 0x4A, 0x10},
        .table1x = 0x11,
        .variants1x = kFullLayout,
    };

    EcmScenario faults = standard;
    faults.name = "faults";
    faults.description = "Motorcycle ECM 0102E5 with current and past codes and a freeze frame";
    faults.currentCodes = {{1, 2}, {7, 1}, {12, 1}, {54, 3}};
    faults.pastCodes = {{8, 1}, {9, 2}, {21, 1}, {33, 2}, {13, 1}};
    faults.hasFreezeFrame = true;
    faults.statusFault = {7, 1};

    const EcmScenario basic{
        .name = "basic",
        .description = "Early motorcycle ECM 010001 with the basic sensor set",
        .family = EcmFamily::Motorcycle,
        .identification = {0x01, 0x00, 0x01, 0x21, 0x03},
        .table1x = 0x10,
        .variants1x = kBasicLayout,
    };

    const EcmScenario marine{
        .name = "marine",
        .description = "Outboard engine ECM 02001C with its running-time counters",
        .family = EcmFamily::Marine,
        .identification = {0x02, 0x00, 0x1C, 0x35, 0x08},
        .table1x = 0x10,
    };

    EcmScenario unsupported = standard;
    unsupported.name = "unsupported";
    unsupported.description = "Motorcycle ECM 0E0123, which the program does not know";
    unsupported.identification = {0x0E, 0x01, 0x23, 0x00, 0x01};

    return {standard, faults, basic, marine, unsupported};
}

const std::vector<EcmScenario>& scenarios() {
    static const std::vector<EcmScenario> all = makeScenarios();
    return all;
}

}  // namespace

std::vector<std::string> ecmScenarioNames() {
    std::vector<std::string> names;
    for (const EcmScenario& scenario : scenarios()) {
        names.push_back(scenario.name);
    }
    return names;
}

std::optional<EcmScenario> findEcmScenario(std::string_view name) {
    const auto& all = scenarios();
    const auto found =
        std::find_if(all.begin(), all.end(), [&](const EcmScenario& s) { return s.name == name; });
    if (found == all.end()) {
        return std::nullopt;
    }
    return *found;
}

}  // namespace corsel
