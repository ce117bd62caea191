#include "link/EcuFrame.h"

namespace corsel {

bool VerifyChecksum(const ModuleReport& report) {
    const std::size_t length = report[kFrameLengthByte];
    if (length > kPayloadSize) {
        return false;
    }
    std::uint8_t sum = 0;
    for (std::size_t i = 1; i <= length; ++i) {
        sum = static_cast<std::uint8_t>(sum + report[i]);
    }
    return sum == (report[kFrameTypeByte] == kMarineFrameType ? 1 : 0);
}

bool IsNoData(const ModuleReport& report) {
    return report[1] == 'U' && report[2] == 'U';
}

bool isDisconnectNotice(const ModuleReport& report) {
    return hasText(report, 1, "Disconnected");
}

bool isFaultPageFrame(const ModuleReport& report) {
    const auto service = report[kServiceByte];
    const auto page = report[kTableByte];
    return (service == kPastFaultsService || service == kCurrentFaultsService) && page >= 1 &&
           page <= kFaultPageCount;
}

}  // namespace corsel
