#include "ecu/FaultCodeText.h"

namespace corsel::fault_code {

std::string codeText(std::int32_t code) {
    return std::to_string(code / 10) + "-" + std::to_string(code % 10);
}

const std::string& meaning(const TextTables& texts, std::int32_t code) {
    static const std::string none;
    return code < 0 ? none : TextTables::entry(texts.DtcTexts, static_cast<std::size_t>(code));
}

const std::string& occurrence(const TextTables& texts, bool isCurrent) {
    return texts.FaultListTexts[isCurrent ? kCurrentWord : kPastWord];
}

}  // namespace corsel::fault_code
