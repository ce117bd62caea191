#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "app/SettingsRecord.h"
#include "platform/RegistryStore.h"

namespace corsel {

// What the program keeps in the settings store between runs.
struct StoredSettings {
    static constexpr int kChartCount = 4;
    static constexpr int kLastChartChannel = 30;

    SettingsRecord settings = SettingsRecord::defaults();
    std::int16_t languageIndex = 1;
    std::string faqVersion = "1005";
    std::array<int, kChartCount> charts{0, 1, 2, 3};
    std::string openSaveFolder;
    // Ends in a separator when set; empty means the working folder.
    std::string installDir;
};

// Reads every value at start; a missing value (or an empty "Language2", which
// has no character to read) is written with its default, a damaged one gives
// its default in memory and is left as it is.
StoredSettings readStoredSettings(RegistryStore& store, const std::string& workingFolder);

// "Settings" after the settings dialog.
void storeSettingsRecord(RegistryStore& store, const SettingsRecord& settings);
// "Language2" at exit.
void storeLanguage(RegistryStore& store, std::int16_t languageIndex);

}  // namespace corsel
