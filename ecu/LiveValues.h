#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace corsel {

// A value text's colour, as 0x00BBGGRR.
using ValueColour = std::uint32_t;
inline constexpr ValueColour kHighlightColour = 0x0000FF;  // red: the value just changed
inline constexpr ValueColour kNormalColour = 0xFFFFFF;     // white

// The last decoded value of every live channel, in the unit shown, with the
// texts the two engine-data pages showed last: the graph, the export and the
// report read them.
struct LiveValues {
    static constexpr std::size_t kChannelCount = 54;
    static constexpr std::size_t kHighlightSlots = 100;
    static constexpr int kTicksPerSecond = 18;
    static constexpr const char* kNoValue = "---";

    std::array<double, kChannelCount> ChannelValue{};
    // Refreshes for which each row stays highlighted.
    std::array<std::int32_t, kHighlightSlots> HighlightTicks{};
    std::array<std::string, kChannelCount> LiveValueTexts;
    std::array<std::string, kChannelCount> FaultValueTexts;
    // Set once an oxygen sensor of bank 1 (2) has shown a voltage: its rows
    // then stay on.
    bool O2Seen1 = false;
    bool O2Seen2 = false;

    LiveValues() { clearValueTexts(); }

    void clearValueTexts() {
        LiveValueTexts.fill(kNoValue);
        FaultValueTexts.fill(kNoValue);
    }
    // After a display reset every row that gets a value starts highlighted.
    void resetValues(int highlightPeriodSeconds) {
        ChannelValue.fill(0.0);
        HighlightTicks.fill(highlightPeriodSeconds * kTicksPerSecond);
    }
};

}  // namespace corsel
