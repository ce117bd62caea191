#pragma once

#include <cstdint>
#include <string>

#include "text/TextTables.h"

namespace corsel {

// How a stored fault code (main × 10 + sub) is written and named.
namespace fault_code {

inline constexpr std::size_t kColumnTitles = 0;
inline constexpr std::size_t kPastWord = 1;
inline constexpr std::size_t kCurrentWord = 3;

// "1-2" for 12, "54-3" for 543, "0-9" for 9.
std::string codeText(std::int32_t code);
// The code's meaning in the current language; empty when it has none.
const std::string& meaning(const TextTables& texts, std::int32_t code);
// "Current" or "Past".
const std::string& occurrence(const TextTables& texts, bool isCurrent);

}  // namespace fault_code

}  // namespace corsel
