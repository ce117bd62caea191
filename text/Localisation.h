#pragma once

#include <array>
#include <cstdint>
#include <utility>
#include <string_view>

#include "app/SettingsRecord.h"
#include "text/LanguageData.h"
#include "text/TextTables.h"

namespace corsel {

// The text tables, the language they hold and the font character set that
// goes with it.
class Localisation {
public:
    static constexpr std::int32_t kDefaultCharset = 1;

    TextTables tables;
    std::int16_t LanguageIndex = 1;
    std::int32_t FontCharset = kDefaultCharset;

    // Fills the tables for LanguageIndex; while marineMode is set only the
    // marine text set is applied. Unit slots of `settings` out of their range
    // are set back to 0.
    void LoadLanguage(SettingsRecord& settings, bool marineMode);

    static bool isKnownLanguage(int index);

private:
    void applyMarineSet();
    void applyFallbacks(const LanguageData& english);
    void loadLanguage(const LanguageData& language, const LanguageData& english,
                      SettingsRecord& settings);
    void applyUnits(const LanguageData& language, const LanguageData& english,
                    SettingsRecord& settings);
    void setReloadMarkers();
    // The 128-entry tables that windows show, with their reload markers.
    std::array<std::pair<TextTable, TextTables::Table*>, 10> windowTables();
};

}  // namespace corsel
