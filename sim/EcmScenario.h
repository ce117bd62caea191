#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sim/EcmFrames.h"

namespace corsel {

// A diagnostic trouble code as the ECM sends it: a main and a sub code,
// written main-sub and counted as main × 10 + sub.
struct FaultCode {
    std::uint8_t main = 0;
    std::uint8_t sub = 0;

    int value() const { return main * 10 + sub; }
    bool operator==(const FaultCode&) const = default;
};

// One simulated ECM: who it says it is, how its tables are laid out, and
// what it remembers.
struct EcmScenario {
    std::string name{};
    std::string description{};
    EcmFamily family = EcmFamily::Motorcycle;
    // Bytes 26-30 of the "CheckFI" reply; the first three are the ECM ID.
    std::array<std::uint8_t, 5> identification{};
    // The number of the 1x table that the ECM answers "GetFI1" with; its low
    // digit also numbers the 6x freeze frame.
    std::uint8_t table1x = 0x11;
    // The decoding variant of channels 0-14 whose bytes the 1x table serves
    // (0: not served). Marine ECMs have one fixed layout and ignore it.
    std::array<std::uint8_t, 15> variants1x{};
    std::vector<FaultCode> currentCodes{};
    std::vector<FaultCode> pastCodes{};
    bool hasFreezeFrame = false;
    FaultCode statusFault{};  // the fault that the freeze frame was taken for
};

// The scenarios that `--simulate=name` offers; "standard" is the default.
std::vector<std::string> ecmScenarioNames();
std::optional<EcmScenario> findEcmScenario(std::string_view name);

}  // namespace corsel
