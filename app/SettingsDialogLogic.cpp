#include "app/SettingsDialogLogic.h"

#include <cctype>
#include <charconv>
#include <system_error>

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
    if (text.size() > 1 && text.front() == '+' && text[1] != '-') {
        text.remove_prefix(1);  // from_chars takes a minus sign only
    }
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    const bool whole = !text.empty() && end == text.data() + text.size() &&
                       (error == std::errc{} || error == std::errc::result_out_of_range);
    if (!whole) {
        return std::string("Please enter an integer.");
    }
    if (error != std::errc{} || value < SettingsRecord::kPeriodMinimum ||
        value > SettingsRecord::kPeriodMaximum) {
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
