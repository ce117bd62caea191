#pragma once

#include <optional>
#include <string>

#include "text/TextTables.h"

namespace corsel {

// The page the third tab shows while no fault code is stored: one text,
// put on again after each language load.
class NoFaultPage {
public:
    static constexpr int kTickMs = 10;
    static constexpr int kTextControlId = 1065;

    explicit NoFaultPage(TextTables& texts) : texts_(texts) {}

    // The text to put on, once after each load.
    std::optional<std::string> tick() {
        if (!TextTables::takeReloadMarker(texts_.FaultPageTexts)) {
            return std::nullopt;
        }
        return texts_.FaultPageTexts[0];
    }

private:
    TextTables& texts_;
};

}  // namespace corsel
