#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "link/ModuleReport.h"

namespace corsel {

// The two kinds of ECM behind the module; the first byte of each frame says
// which one sent it.
enum class EcmFamily { Motorcycle, Marine };

inline constexpr std::uint8_t kMotorcycleEcmFrameType = 0x02;
inline constexpr std::uint8_t kMarineEcmFrameType = 0x01;

std::uint8_t frameTypeOf(EcmFamily family);

// An ECU frame as the module relays it: byte 1 type, byte 2 length L (bytes 1
// to L), byte 3 service, byte 4 table or page, the data from byte 5 on and the
// checksum as byte L, chosen so that bytes 1 to L add up to 1 in a type 0x01
// frame and to 0 in any other. Data that would reach the time stamp (byte 61)
// is cut off there.
ModuleReport makeEcuFrame(std::uint8_t type, std::uint8_t service, std::uint8_t table,
                          std::span<const std::uint8_t> data);

// The module's "UU": the ECM had nothing to send.
ModuleReport noDataReply();

// The module's "Disconnected": it has no line to an ECM.
ModuleReport disconnectedNotice();

// A module text reply: the letters from byte 1 on, the rest zero.
ModuleReport textReply(std::string_view text);

}  // namespace corsel
