#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "link/ModuleReport.h"

namespace corsel {

// The ECM's fault codes as read page by page: the "Current" list from 't'
// frames and the "Past" list from 's' frames. A code is main × 10 + sub,
// 0 meaning empty. Both lists share one collecting count, the place of the
// next code of the pass being read; CurrentDtcCount is the count of the last
// complete pass, the one the window shows.
struct FaultLists {
    static constexpr std::size_t kCapacity = 300;

    std::array<std::int32_t, kCapacity> current{};
    std::array<std::int32_t, kCapacity> past{};
    std::uint16_t collectingCount = 0;
    std::uint16_t CurrentDtcCount = 0;

    // A new pass over the pages begins: a pass that found another number of
    // codes than the one before empties the lists, so that no code of it
    // stays behind; an equal number is simply overwritten in place.
    void beginPass();

    // Files the code pairs (6, 7), (8, 9), (10, 11) of a fault page frame; a
    // pair whose main code is 0 is empty. Nothing is written past the lists'
    // capacity, whatever the frames hold.
    void StoreFaultCodes(const ModuleReport& frame, bool isCurrent);

    // Empties both lists and forgets the pass being read.
    void clear();
};

}  // namespace corsel
