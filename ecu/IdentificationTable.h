#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "ecu/ModelProfile.h"

namespace corsel {

// One entry of the identification table. The one key without a profile
// shows a fixed list of channels instead.
struct IdentificationEntry {
    std::string_view EcmId;
    ModelProfile profile;
    bool fixedList = false;
};

// What a lookup found: a profile, or the fixed channel list.
struct IdentificationMatch {
    ModelProfile profile;
    bool fixedList = false;
};

namespace identification {

inline constexpr std::size_t kEntryCount = 440;
inline constexpr std::size_t kKeyCount = 438;
inline constexpr std::size_t kChannels1x = 15;  // channels 0-14
inline constexpr std::size_t kChannelsD0 = 11;  // the columns of the D0 table
inline constexpr std::size_t kChannelsD1 = 23;  // channels 30-52
inline constexpr std::uint8_t kGroup1xCount = 16;
inline constexpr std::uint8_t kGroupD0Count = 7;
inline constexpr std::uint8_t kGroupD1Count = 61;

// The channels of the D0 table's columns, in their order; channel 10 there
// is its second source, the one read from block D0.
inline constexpr std::array<std::uint8_t, kChannelsD0> kChannelsOfD0{53, 21, 22, 23, 24, 25,
                                                                     26, 27, 28, 10, 29};
inline constexpr std::size_t kIacCommandFromD0Column = 9;

// The fixed list of the key without a profile, all shown with variant 10.
inline constexpr std::string_view kFixedListKey = "010017";
inline constexpr std::array<std::uint8_t, 14> kFixedListChannels{0, 5, 6, 7, 8, 2, 3,
                                                                 4, 9, 10, 15, 53, 32, 33};
inline constexpr std::uint8_t kFixedListVariant = 10;

// The whole table, in its search order.
std::span<const IdentificationEntry> entries();

// The variants of channels 0-14 for a 1x group and the low digit of the 1x
// table number the ECM answered; nothing for a group or digit whose channels
// are not shown.
std::optional<std::array<std::uint8_t, kChannels1x>> variants1x(std::uint8_t group1x,
                                                                std::uint8_t tableDigit);
// The variants of the D0 table's columns (kChannelsOfD0) for a D0 group.
std::optional<std::array<std::uint8_t, kChannelsD0>> variantsD0(std::uint8_t groupD0);
// The variants of channels 30-52 for a D1 group.
std::optional<std::array<std::uint8_t, kChannelsD1>> variantsD1(std::uint8_t groupD1);

}  // namespace identification

// The first entry whose key equals `ecmId` exactly (letter case counts).
std::optional<IdentificationMatch> LookupModelProfile(std::string_view ecmId);

}  // namespace corsel
