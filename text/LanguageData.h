#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corsel {

// The tables a language file fills. UnitChoices is keyed unit × 10 + choice.
enum class TextTable : std::size_t {
    UnitChoices,
    MainTexts,
    PageTexts,
    HelpTexts,
    FaultListTexts,
    FaultPageTexts,
    AboutTexts,
    ModelsTexts,
    SettingsTexts,
    FileDialogTexts,
    GraphTexts,
    GraphHelpTexts,
    DtcTexts,
    MarinePageTexts,
    MarineHelpTexts,
    MarineDtcTexts,
};
inline constexpr std::size_t kTextTableCount = 16;

// The section name of a table in a language file ("MainTexts",
// "Marine.PageTexts"), and the number of entries the table has.
std::string_view textTableName(TextTable table);
std::size_t textTableSize(TextTable table);

// The texts of one language, as read from its file. The format, UTF-8:
//
//   # a comment
//   @include en              (first: start from another language's texts)
//   [MainTexts]
//   2 = "Connect"
//   [DtcTexts]
//   12-1 = "#1 FUEL INJECTOR ..."   (main code - sub code: index main × 10 + sub)
//   [UnitChoices]
//   2.3 = "psig"                    (unit . choice)
//
// Values are quoted, on one line, with the escapes \n \r \t \" and \\.
class LanguageData {
public:
    using Entries = std::map<std::size_t, std::string>;
    // Finds the data of an included language by its file name.
    using IncludeResolver = std::function<const LanguageData*(std::string_view name)>;

    // Lines that can't be read are skipped and described in errors().
    static LanguageData parse(std::string_view source, const IncludeResolver& include = {});

    const Entries& entries(TextTable table) const;
    const std::string* find(TextTable table, std::size_t index) const;
    const std::vector<std::string>& errors() const { return errors_; }

private:
    void parseLine(std::string_view line, std::optional<TextTable>& section, bool& firstEntry,
                   const IncludeResolver& include, int lineNumber);
    void error(int lineNumber, std::string_view what);

    std::array<Entries, kTextTableCount> tables_;
    std::vector<std::string> errors_;
};

}  // namespace corsel
