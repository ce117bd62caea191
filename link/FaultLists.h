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

    // The page being read: its current half (if the ECM has one) comes before
    // its past half, which completes it. A page read again before its past
    // half came (the ECM had no data for it) starts over at the count it
    // started from, so that its codes are counted once.
    bool pageOpen = false;
    int openPage = 0;
    std::uint16_t pageStartCount = 0;

    // A new pass over the pages begins: a pass that found another number of
    // codes than the one before empties the lists, so that no code of it
    // stays behind; an equal number is simply overwritten in place.
    void beginPass();

    // Page `page` is read (again): page 1 begins a new pass, unless it is
    // page 1 read again.
    void startPage(int page);
    // Its past half has been stored.
    void finishPage() { pageOpen = false; }

    // Files the code pairs (6, 7), (8, 9), (10, 11) of a fault page frame; a
    // pair whose main code is 0 is empty. Nothing is written past the lists'
    // capacity, whatever the frames hold.
    void StoreFaultCodes(const ModuleReport& frame, bool isCurrent);

    // Empties both lists and forgets the pass being read.
    void clear();
};

}  // namespace corsel
