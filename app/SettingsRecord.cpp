#include "app/SettingsRecord.h"

namespace corsel {

namespace {

// The largest value a slot may hold; reserved options hold 0 only.
int slotMaximum(std::size_t slot) {
    if (slot < SettingsRecord::kUnitCount) {
        return SettingsRecord::kUnitChoices[slot] - 1;
    }
    return slot == SettingsRecord::HighlightPeriod ? SettingsRecord::kPeriodMaximum : 0;
}

}  // namespace

SettingsRecord SettingsRecord::defaults() {
    SettingsRecord record;
    record.options[HighlightPeriod] = kDefaultPeriod;
    return record;
}

std::string SettingsRecord::stored() const {
    std::string value;
    for (const std::int8_t slot : options) {
        value += static_cast<char>(slot + 1);
    }
    return value;
}

SettingsRecord SettingsRecord::fromStored(std::string_view value) {
    SettingsRecord record = defaults();
    for (std::size_t slot = 0; slot < kSlotCount && slot < value.size(); ++slot) {
        const int option = static_cast<unsigned char>(value[slot]) - 1;
        if (option >= 0 && option <= slotMaximum(slot)) {
            record.options[slot] = static_cast<std::int8_t>(option);
        }
    }
    return record;
}

}  // namespace corsel
