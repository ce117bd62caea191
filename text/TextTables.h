#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace corsel {

// The texts the windows show, in the language loaded last. Each table keeps
// its fixed size, so an index from a window or a decoded fault code is checked
// against it and never read past the end (see entry()).
struct TextTables {
    static constexpr std::size_t kTableSize = 128;
    static constexpr std::size_t kUnitCount = 10;
    static constexpr std::size_t kHelpCount = 54;
    static constexpr std::size_t kDtcCount = 2600;
    // Entry 127 of every 128-entry table: "0" after a load, until the window
    // that shows the table has put the texts on again and set it to "1".
    static constexpr std::size_t kReloadMarker = 127;
    static constexpr std::size_t kPageReloadMarker2 = 126;

    using Table = std::array<std::string, kTableSize>;

    std::array<std::string, kUnitCount> UnitTexts;
    Table MainTexts;
    Table PageTexts;
    std::array<std::string, kHelpCount> HelpTexts;
    Table FaultListTexts;
    Table FaultPageTexts;
    Table AboutTexts;
    Table ModelsTexts;
    Table SettingsTexts;
    Table FileDialogTexts;
    Table GraphTexts;
    Table GraphHelpTexts;
    std::vector<std::string> DtcTexts = std::vector<std::string>(kDtcCount);

    // A table's entry, or an empty text for an index outside it.
    template <typename Container>
    static const std::string& entry(const Container& table, std::size_t index) {
        static const std::string empty;
        return index < table.size() ? table[index] : empty;
    }

    // True once after a load: the caller re-applies its texts.
    static bool takeReloadMarker(Table& table) {
        if (table[kReloadMarker] != "0") {
            return false;
        }
        markApplied(table);
        return true;
    }
    static void markApplied(Table& table) { table[kReloadMarker].assign(1, '1'); }
    static void markReloaded(Table& table) { table[kReloadMarker].assign(1, '0'); }
};

}  // namespace corsel
