#include "link/ReplyFiling.h"

#include "link/EcuFrame.h"

namespace corsel {

void ProcessReply(SessionRecords& records, const ModuleReport& reply,
                  const std::function<std::string(int code)>& faultName) {
    std::uint16_t* failures = records.PollStep < records.pollFailures.size()
                                  ? &records.pollFailures[records.PollStep]
                                  : nullptr;
    if (!VerifyChecksum(reply)) {
        if (failures != nullptr && *failures < UINT16_MAX) {
            ++*failures;
        }
        return;
    }
    if (failures != nullptr) {
        *failures = 0;
    }
    records.tableStore.file(reply);

    const auto service = reply[kServiceByte];
    if (service == kPastFaultsService && reply[kTableByte] == 0) {
        const std::string name = faultName ? faultName(reply[5] * 10 + reply[6]) : std::string();
        records.statusFaultText = name.substr(0, name.find('('));
    }

    // Playback has no pages to ask for: the recorded pages rebuild the lists,
    // read as they were recorded. A current half begins a page read (a page
    // read again if its past half never came); so does a past half that
    // follows no current half of its page. Only frames of pages 1 to 11 hold
    // codes; the status frame does not.
    if (records.PlaybackMode && isFaultPageFrame(reply)) {
        FaultLists& lists = records.faultLists;
        const bool isCurrent = service == kCurrentFaultsService;
        const int page = reply[kTableByte];
        if (isCurrent || !lists.pageOpen || lists.openPage != page) {
            lists.startPage(page);
        }
        lists.StoreFaultCodes(reply, isCurrent);
        if (!isCurrent) {
            lists.finishPage();
        }
    }
}

}  // namespace corsel
