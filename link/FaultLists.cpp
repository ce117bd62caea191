#include "link/FaultLists.h"

namespace corsel {

void FaultLists::beginPass() {
    if (collectingCount != CurrentDtcCount) {
        current.fill(0);
        past.fill(0);
    }
    CurrentDtcCount = collectingCount;
    collectingCount = 0;
}

void FaultLists::startPage(int page) {
    if (pageOpen && page == openPage) {
        collectingCount = pageStartCount;
    } else if (page == 1) {
        beginPass();
    }
    pageStartCount = collectingCount;
    openPage = page;
    pageOpen = true;
}

void FaultLists::StoreFaultCodes(const ModuleReport& frame, bool isCurrent) {
    auto& list = isCurrent ? current : past;
    for (std::size_t first = 6; first <= 10; first += 2) {
        const int main = frame[first];
        if (main == 0) {
            continue;
        }
        if (collectingCount >= kCapacity) {
            return;
        }
        list[collectingCount] = main * 10 + frame[first + 1];
        ++collectingCount;
    }
}

void FaultLists::clear() {
    current.fill(0);
    past.fill(0);
    collectingCount = 0;
    CurrentDtcCount = 0;
    pageOpen = false;
}

}  // namespace corsel
