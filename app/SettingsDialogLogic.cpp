#include "app/SettingsDialogLogic.h"

#include <cctype>

#include "text/LanguageCatalog.h"

namespace corsel {

namespace {

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) {
        text.remove_prefix(1);
    }
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) {
        text.remove_suffix(1);
    }
    return text;
}

}  // namespace

const std::array<SettingsDialogLogic::UnitList, SettingsRecord::kUnitCount>&
SettingsDialogLogic::unitLists() {
    static const std::array<UnitList, SettingsRecord::kUnitCount> lists{{
        {1064, SettingsRecord::SpeedUnit, {"Km/h", "MPH"}},
        {1065, SettingsRecord::TemperatureUnit, {"°C", "°F"}},
        {1066, SettingsRecord::PressureUnit, {"kPa", "mmHg", "inHg", "psig"}},
        {1067, SettingsRecord::AirFlowUnit, {"g/sec", "lb/min"}},
        {1069, SettingsRecord::FlowRateUnit, {"l/min", "l/sec", "gal/min", "gal/sec"}},
    }};
    return lists;
}

std::vector<std::string_view> SettingsDialogLogic::languageNames() {
    std::vector<std::string_view> names;
    for (const LanguageInfo& language : kLanguages) {
        names.push_back(language.name);
    }
    return names;
}

SettingsDialogLogic::SettingsDialogLogic(Localisation& localisation, SettingsRecord& settings)
    : localisation_(localisation), settings_(settings) {}

int SettingsDialogLogic::selectedUnit(std::size_t slot) const {
    return slot < SettingsRecord::kUnitCount ? settings_[slot] : -1;
}

void SettingsDialogLogic::chooseUnit(std::size_t slot, int index) {
    if (slot < SettingsRecord::kUnitCount && index >= 0 &&
        index < SettingsRecord::kUnitChoices[slot]) {
        settings_[slot] = static_cast<std::int8_t>(index);
    }
}

int SettingsDialogLogic::selectedLanguage() const {
    return localisation_.LanguageIndex;
}

void SettingsDialogLogic::chooseLanguage(int index) {
    if (Localisation::isKnownLanguage(index)) {
        localisation_.LanguageIndex = static_cast<std::int16_t>(index);
    }
}

std::string SettingsDialogLogic::periodText() const {
    return std::to_string(settings_[SettingsRecord::HighlightPeriod]);
}

std::optional<std::string> SettingsDialogLogic::commitPeriod(std::string_view typed) {
    std::string_view text = trimmed(typed);
    const bool negative = !text.empty() && text.front() == '-';
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        text.remove_prefix(1);
    }
    if (text.empty() || text.find_first_not_of("0123456789") != std::string_view::npos) {
        return std::string("Please enter an integer.");
    }
    // Long numbers are out of range, whatever their value.
    const std::string_view digits = text.substr(std::min(text.find_first_not_of('0'), text.size()));
    const int value = digits.size() > 3 ? 1000 : (digits.empty() ? 0 : std::stoi(std::string(digits)));
    if ((negative && value != 0) || value > SettingsRecord::kPeriodMaximum) {
        return "Please enter an integer between " + std::to_string(SettingsRecord::kPeriodMinimum) +
               " and " + std::to_string(SettingsRecord::kPeriodMaximum) + ".";
    }
    settings_[SettingsRecord::HighlightPeriod] = static_cast<std::int8_t>(value);
    return std::nullopt;
}

bool SettingsDialogLogic::takeReload() {
    return TextTables::takeReloadMarker(localisation_.tables.SettingsTexts);
}

const std::string& SettingsDialogLogic::text(std::size_t entry) const {
    return TextTables::entry(localisation_.tables.SettingsTexts, entry);
}

}  // namespace corsel
