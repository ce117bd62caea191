#include "app/StoredSettings.h"

#include <charconv>

#include "app/Registry.h"

namespace corsel {

namespace {

constexpr char kSettings[] = "Settings";
constexpr char kFaq[] = "FAQ";
constexpr char kOpenSave[] = "OpenSave2";
constexpr char kLanguage[] = "Language2";
constexpr char kInstallDir[] = "InstallDir";

// The entry's text, or `fallback` written in its place when it is missing.
const std::string& readOrCreate(CRegistry& key, const std::string& name,
                                const std::string& fallback) {
    CRegEntry& entry = key[name];
    if (!entry.exists()) {
        entry = fallback;
    }
    return entry.text();
}

std::string languageValue(std::int16_t languageIndex) {
    return std::string(1, static_cast<char>(languageIndex + 1));
}

int chartChannel(const std::string& text, int fallback) {
    int channel = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), channel);
    const bool whole = error == std::errc{} && end == text.data() + text.size() && !text.empty();
    return whole && channel >= 0 && channel <= StoredSettings::kLastChartChannel ? channel
                                                                                 : fallback;
}

}  // namespace

StoredSettings readStoredSettings(RegistryStore& store, const std::string& workingFolder) {
    StoredSettings stored;
    stored.openSaveFolder = workingFolder;
    {
        CRegistry user(store, RegistryHive::CurrentUser, CRegistry::kProgramKey, false);
        if (user.contains(kInstallDir)) {
            stored.installDir = user[kInstallDir].text();
            // File names are appended to it directly: a folder written without
            // its closing separator would put them beside it.
            if (!stored.installDir.empty() && stored.installDir.back() != '/' &&
                stored.installDir.back() != '\\') {
                stored.installDir += '/';
            }
        }
    }
    CRegistry key(store, RegistryHive::LocalMachine, CRegistry::kProgramKey, true);
    if (!key.isOpen()) {
        return stored;
    }
    stored.settings = SettingsRecord::fromStored(
        readOrCreate(key, kSettings, SettingsRecord::defaults().stored()));
    stored.faqVersion = readOrCreate(key, kFaq, stored.faqVersion);
    for (int chart = 0; chart < StoredSettings::kChartCount; ++chart) {
        const int fallback = stored.charts[static_cast<std::size_t>(chart)];
        const std::string& text =
            readOrCreate(key, "Chart" + std::to_string(chart), std::to_string(fallback));
        stored.charts[static_cast<std::size_t>(chart)] = chartChannel(text, fallback);
    }
    stored.openSaveFolder = readOrCreate(key, kOpenSave, workingFolder);
    CRegEntry& language = key[kLanguage];
    if (!language.exists() || language.text().empty()) {
        language = languageValue(stored.languageIndex);
    }
    stored.languageIndex =
        static_cast<std::int16_t>(static_cast<unsigned char>(language.text().front()) - 1);
    return stored;
}

void storeSettingsRecord(RegistryStore& store, const SettingsRecord& settings) {
    CRegistry key(store, RegistryHive::LocalMachine, CRegistry::kProgramKey, false);
    if (key.isOpen()) {
        CRegEntry& entry = key[kSettings];
        entry = std::string();
        entry = settings.stored();
    }
}

void storeLanguage(RegistryStore& store, std::int16_t languageIndex) {
    CRegistry key(store, RegistryHive::LocalMachine, CRegistry::kProgramKey, false);
    if (key.isOpen()) {
        CRegEntry& entry = key[kLanguage];
        entry.remove();
        entry = languageValue(languageIndex);
    }
}

}  // namespace corsel
