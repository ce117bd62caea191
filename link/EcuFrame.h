#pragma once

#include <cstddef>
#include <cstdint>

#include "link/ModuleReport.h"

namespace corsel {

// Where an ECU frame sits in a reply report: type, length L (bytes 1 to L,
// checksum included), service, table or page number, then data.
inline constexpr std::size_t kFrameTypeByte = 1;
inline constexpr std::size_t kFrameLengthByte = 2;
inline constexpr std::size_t kServiceByte = 3;
inline constexpr std::size_t kTableByte = 4;

inline constexpr std::uint8_t kMarineFrameType = 0x01;
inline constexpr std::uint8_t kPastFaultsService = 's';
inline constexpr std::uint8_t kCurrentFaultsService = 't';
inline constexpr int kFaultPageCount = 11;

// Bytes 1 to L add up to 1 (8 bits) in a type 0x01 frame and to 0 in any other.
// A length past the report's 64 payload bytes makes the frame invalid.
bool VerifyChecksum(const ModuleReport& report);

// The module's "UU": the ECM had nothing to say to the request.
bool IsNoData(const ModuleReport& report);

// The module's notice that its line to the ECM has gone ("Disconnected").
bool isDisconnectNotice(const ModuleReport& report);

// A reply to a fault page request: service 's' or 't' and a page 1 to 11.
bool isFaultPageFrame(const ModuleReport& report);

}  // namespace corsel
