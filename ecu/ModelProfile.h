#pragma once

#include <cstdint>

namespace corsel {

// Which channels an ECM family serves and how each is decoded: the row of
// the 1x channel table, of the D0 table and of the D1 table.
struct ModelProfile {
    std::uint8_t group1x = 0;  // 0-15
    std::uint8_t groupD0 = 0;  // 0-6
    std::uint8_t groupD1 = 0;  // 0-60

    constexpr bool operator==(const ModelProfile&) const = default;
};

}  // namespace corsel
