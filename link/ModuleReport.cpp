#include "link/ModuleReport.h"

#include <algorithm>

namespace corsel {

void putText(ModuleReport& report, std::size_t offset, std::string_view text) {
    for (std::size_t i = 0; i < text.size() && offset + i < report.size(); ++i) {
        report[offset + i] = static_cast<std::uint8_t>(text[i]);
    }
}

bool hasText(const ModuleReport& report, std::size_t offset, std::string_view text) {
    if (offset > report.size() || text.size() > report.size() - offset) {
        return false;
    }
    return std::equal(text.begin(), text.end(), report.begin() + static_cast<long>(offset),
                      [](char c, std::uint8_t b) { return static_cast<std::uint8_t>(c) == b; });
}

std::string textAt(const ModuleReport& report, std::size_t offset, std::size_t length) {
    std::string text;
    for (std::size_t i = offset; i < report.size() && i < offset + length; ++i) {
        text.push_back(static_cast<char>(report[i]));
    }
    return text;
}

std::uint32_t timeStampOf(const ModuleReport& report) {
    const auto* b = &report[kTimeStampOffset];
    return (std::uint32_t{b[0]} << 24) | (std::uint32_t{b[1]} << 16) | (std::uint32_t{b[2]} << 8) |
           std::uint32_t{b[3]};
}

void putTimeStamp(ModuleReport& report, std::uint32_t hundredths) {
    report[kTimeStampOffset] = static_cast<std::uint8_t>(hundredths >> 24);
    report[kTimeStampOffset + 1] = static_cast<std::uint8_t>(hundredths >> 16);
    report[kTimeStampOffset + 2] = static_cast<std::uint8_t>(hundredths >> 8);
    report[kTimeStampOffset + 3] = static_cast<std::uint8_t>(hundredths);
}

}  // namespace corsel
