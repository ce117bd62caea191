#include "sim/EcmFrames.h"

#include <algorithm>
#include <cstddef>

namespace corsel {

namespace {

constexpr std::size_t kDataOffset = 5;
constexpr std::size_t kLastFrameByte = kTimeStampOffset - 1;

}  // namespace

std::uint8_t frameTypeOf(EcmFamily family) {
    return family == EcmFamily::Marine ? kMarineEcmFrameType : kMotorcycleEcmFrameType;
}

ModuleReport makeEcuFrame(std::uint8_t type, std::uint8_t service, std::uint8_t table,
                          std::span<const std::uint8_t> data) {
    ModuleReport frame{};
    const std::size_t dataLength = std::min(data.size(), kLastFrameByte - kDataOffset);
    const std::size_t length = kDataOffset + dataLength;  // bytes 1 to L, checksum included
    frame[1] = type;
    frame[2] = static_cast<std::uint8_t>(length);
    frame[3] = service;
    frame[4] = table;
    std::copy_n(data.begin(), dataLength, frame.begin() + kDataOffset);

    unsigned sum = 0;
    for (std::size_t i = 1; i < length; ++i) {
        sum += frame[i];
    }
    const unsigned target = type == kMarineEcmFrameType ? 1 : 0;
    frame[length] = static_cast<std::uint8_t>((target - sum) & 0xFFu);
    return frame;
}

ModuleReport textReply(std::string_view text) {
    ModuleReport reply{};
    putText(reply, 1, text);
    return reply;
}

ModuleReport noDataReply() {
    return textReply("UU");
}

ModuleReport disconnectedNotice() {
    return textReply("Disconnected");
}

}  // namespace corsel
