#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "text/LanguageData.h"

namespace corsel {

struct LanguageInfo {
    std::string_view name;      // as the settings dialog lists it
    std::string_view file;      // the language file, without extension
    std::string_view codePage;  // where texts leave the program as bytes
    std::int32_t fontCharset;
};

inline constexpr std::int16_t kEnglish = 1;
inline constexpr std::int16_t kHungarian = 4;
inline constexpr std::int16_t kRussian = 8;

// The languages in the order of their index.
inline constexpr std::array<LanguageInfo, 11> kLanguages{{
    {"Czech", "cs", "windows-1250", 1},
    {"English", "en", "windows-1252", 1},
    {"French", "fr", "windows-1252", 1},
    {"German", "de", "windows-1252", 1},
    {"Hungarian", "hu", "windows-1250", 1},
    {"Indonesian", "id", "windows-1252", 1},
    {"Italian", "it", "windows-1252", 1},
    {"Poland", "pl", "windows-1250", 1},
    {"Russian", "ru", "windows-1251", 204},
    {"Spanish", "es", "windows-1252", 1},
    {"Türkçe", "tr", "windows-1250", 1},
}};

// The texts of a language compiled into the program, read once; an unknown
// file name gives empty texts.
const LanguageData& languageData(std::string_view file);

// The raw file, for tests that check every file reads without an error.
std::string_view embeddedLanguageFile(std::string_view name);

}  // namespace corsel
