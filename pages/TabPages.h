#pragma once

#include "link/SessionRecords.h"

namespace corsel {

// The pages behind the main window's three tabs.
namespace tab_pages {

inline constexpr int kEngineData = 0;
inline constexpr int kFaultList = SessionRecords::kFaultListPage;
inline constexpr int kNoFault = SessionRecords::kNoFaultPage;
inline constexpr int kEngineDataAtFault = SessionRecords::kFreezeFramePage;
inline constexpr int kPageCount = 4;
inline constexpr int kWithFaultCodes = 2;  // the fault page mode while codes are stored

// With fault codes the third tab shows the engine data at fault, otherwise
// the no-fault page.
constexpr int pageForTab(int tab, int faultPageMode) {
    if (faultPageMode == kWithFaultCodes && tab == 2) {
        return kEngineDataAtFault;
    }
    return tab;
}

}  // namespace tab_pages

}  // namespace corsel
