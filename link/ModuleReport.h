#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace corsel {

// One USB HID report as the program sees it: byte 0 is the report ID (always 0
// when sent, meaningless when received), bytes 1 to 64 are the payload.
inline constexpr std::size_t kReportSize = 65;
inline constexpr std::size_t kPayloadSize = kReportSize - 1;
using ModuleReport = std::array<std::uint8_t, kReportSize>;

// The interface module's USB identities.
inline constexpr std::uint16_t kModuleVendorId = 0x04D8;
inline constexpr std::uint16_t kModuleProductId = 0x05F4;
inline constexpr std::uint16_t kBootLoaderProductId = 0x05F5;
inline constexpr std::uint16_t kRecoveryProductId = 0x05F3;

// Writes the letters of `text` into the report from byte `offset` on, without a
// terminator; letters that would fall past the report are dropped.
void putText(ModuleReport& report, std::size_t offset, std::string_view text);

// True when the report holds exactly `text` from byte `offset` on.
bool hasText(const ModuleReport& report, std::size_t offset, std::string_view text);

// Up to `length` bytes from `offset` as a string (clipped to the report).
std::string textAt(const ModuleReport& report, std::size_t offset, std::size_t length);

// Bytes 61-64: the module's time stamp, big-endian, in hundredths of a second.
inline constexpr std::size_t kTimeStampOffset = 61;
std::uint32_t timeStampOf(const ModuleReport& report);
void putTimeStamp(ModuleReport& report, std::uint32_t hundredths);

}  // namespace corsel
