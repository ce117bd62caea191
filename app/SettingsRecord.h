#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace corsel {

// The user's options: five display units, the highlighting period and four
// reserved slots. Stored in the settings store as ten characters, each slot
// plus 1, so that no character is 0.
struct SettingsRecord {
    static constexpr std::size_t kSlotCount = 10;
    static constexpr std::size_t kUnitCount = 5;
    enum Slot : std::size_t {
        SpeedUnit = 0,
        TemperatureUnit = 1,
        PressureUnit = 2,
        AirFlowUnit = 3,
        FlowRateUnit = 4,
        HighlightPeriod = 5,
    };
    static constexpr std::array<int, kUnitCount> kUnitChoices{2, 2, 4, 2, 4};
    static constexpr int kPeriodMinimum = 0;
    static constexpr int kPeriodMaximum = 100;
    static constexpr int kDefaultPeriod = 5;

    std::array<std::int8_t, kSlotCount> options{};

    static SettingsRecord defaults();

    // The stored form: ten characters, slot + 1 each.
    std::string stored() const;
    // Reads a stored value of any length and content: a slot that the value
    // does not cover, or whose character is out of the slot's range, keeps
    // its default.
    static SettingsRecord fromStored(std::string_view value);

    std::int8_t& operator[](std::size_t slot) { return options[slot]; }
    std::int8_t operator[](std::size_t slot) const { return options[slot]; }
};

}  // namespace corsel
