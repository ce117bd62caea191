#include "text/Localisation.h"

#include <initializer_list>
#include <utility>

#include "text/LanguageCatalog.h"

namespace corsel {

namespace {

template <typename Table>
void copyEntries(const LanguageData& data, TextTable from, Table& to) {
    for (const auto& [index, text] : data.entries(from)) {
        if (index < to.size()) {
            to[index] = text;
        }
    }
}

template <typename Table>
void copyEntry(const LanguageData& data, TextTable from, std::size_t index, Table& to) {
    if (const std::string* text = data.find(from, index); text && index < to.size()) {
        to[index] = *text;
    }
}

// Fault meanings that every language shows in English until it has its own.
constexpr std::initializer_list<std::size_t> kFallbackFaultTexts{212, 222, 861, 871, 881,
                                                                 891, 911, 921, 931, 941};
constexpr std::size_t kFileDialogFallbackCount = 21;
constexpr std::size_t kOfflineMode = 45;
constexpr std::size_t kNoErrors = 57;
constexpr std::size_t kDownloading = 64;
constexpr std::size_t kPrint = 66;
constexpr std::size_t kMotorcycleList = 1;
constexpr std::size_t kMarineList = 4;

}  // namespace

bool Localisation::isKnownLanguage(int index) {
    return index >= 0 && index < static_cast<int>(kLanguages.size());
}

void Localisation::LoadLanguage(SettingsRecord& settings, bool marineMode) {
    const LanguageData& english = languageData(kLanguages[kEnglish].file);
    FontCharset = kDefaultCharset;
    copyEntry(english, TextTable::MainTexts, kPrint, tables.MainTexts);
    if (marineMode) {
        applyMarineSet();
        return;
    }
    copyEntry(english, TextTable::ModelsTexts, kMotorcycleList, tables.ModelsTexts);
    copyEntry(english, TextTable::ModelsTexts, kMarineList, tables.ModelsTexts);
    applyFallbacks(english);
    if (!isKnownLanguage(LanguageIndex)) {
        return;
    }
    const LanguageInfo& info = kLanguages[static_cast<std::size_t>(LanguageIndex)];
    loadLanguage(languageData(info.file), english, settings);
    FontCharset = info.fontCharset;
}

void Localisation::applyFallbacks(const LanguageData& english) {
    for (std::size_t i = 0; i < kFileDialogFallbackCount; ++i) {
        copyEntry(english, TextTable::FileDialogTexts, i, tables.FileDialogTexts);
    }
    for (const std::size_t entry : {kOfflineMode, kNoErrors, kDownloading}) {
        copyEntry(english, TextTable::MainTexts, entry, tables.MainTexts);
    }
    for (const std::size_t code : kFallbackFaultTexts) {
        copyEntry(english, TextTable::DtcTexts, code, tables.DtcTexts);
    }
}

void Localisation::loadLanguage(const LanguageData& language, const LanguageData& english,
                                SettingsRecord& settings) {
    applyUnits(language, english, settings);
    for (const auto& [from, to] : windowTables()) {
        copyEntries(language, from, *to);
    }
    copyEntries(language, TextTable::HelpTexts, tables.HelpTexts);
    copyEntries(language, TextTable::DtcTexts, tables.DtcTexts);

    tables.MainTexts[12] = tables.MainTexts[11];
    // The unit suffixes of the pages follow the units of this load.
    tables.PageTexts[111] = tables.UnitTexts[SettingsRecord::SpeedUnit];
    tables.PageTexts[116] = tables.UnitTexts[SettingsRecord::AirFlowUnit];
    tables.PageTexts[117] = tables.UnitTexts[SettingsRecord::TemperatureUnit];
    tables.PageTexts[118] = tables.UnitTexts[SettingsRecord::PressureUnit];
    tables.PageTexts[119] = tables.UnitTexts[SettingsRecord::FlowRateUnit];
    setReloadMarkers();
}

void Localisation::applyUnits(const LanguageData& language, const LanguageData& english,
                              SettingsRecord& settings) {
    for (std::size_t unit = 0; unit < SettingsRecord::kUnitCount; ++unit) {
        if (settings[unit] < 0 || settings[unit] >= SettingsRecord::kUnitChoices[unit]) {
            settings[unit] = 0;
        }
        const std::size_t key = unit * 10 + static_cast<std::size_t>(settings[unit]);
        const std::string* text = language.find(TextTable::UnitChoices, key);
        if (!text) {
            text = english.find(TextTable::UnitChoices, key);
        }
        tables.UnitTexts[unit] = text ? *text : std::string();
    }
}

void Localisation::applyMarineSet() {
    TextTables::markReloaded(tables.PageTexts);
    auto apply = [this](const LanguageData& data) {
        copyEntries(data, TextTable::MarinePageTexts, tables.PageTexts);
        copyEntries(data, TextTable::MarineHelpTexts, tables.HelpTexts);
        copyEntries(data, TextTable::MarineDtcTexts, tables.DtcTexts);
    };
    apply(languageData(kLanguages[kEnglish].file));
    if (LanguageIndex == kHungarian || LanguageIndex == kRussian) {
        apply(languageData(kLanguages[static_cast<std::size_t>(LanguageIndex)].file));
    }
}

std::array<std::pair<TextTable, TextTables::Table*>, 10> Localisation::windowTables() {
    return {{{TextTable::MainTexts, &tables.MainTexts},
             {TextTable::PageTexts, &tables.PageTexts},
             {TextTable::FaultListTexts, &tables.FaultListTexts},
             {TextTable::FaultPageTexts, &tables.FaultPageTexts},
             {TextTable::AboutTexts, &tables.AboutTexts},
             {TextTable::ModelsTexts, &tables.ModelsTexts},
             {TextTable::SettingsTexts, &tables.SettingsTexts},
             {TextTable::FileDialogTexts, &tables.FileDialogTexts},
             {TextTable::GraphTexts, &tables.GraphTexts},
             {TextTable::GraphHelpTexts, &tables.GraphHelpTexts}}};
}

void Localisation::setReloadMarkers() {
    for (const auto& [from, table] : windowTables()) {
        TextTables::markReloaded(*table);
    }
    tables.PageTexts[TextTables::kPageReloadMarker2].assign(1, '0');
}

}  // namespace corsel
