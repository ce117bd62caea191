#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/SettingsRecord.h"
#include "text/Localisation.h"

namespace corsel {

// The settings dialog without its widgets: the language and unit lists, the
// highlighting period's check, and the reload of its texts. Choices take
// effect at once; the main window stores and applies them when the dialog
// closes.
class SettingsDialogLogic {
public:
    struct UnitList {
        int controlId;
        std::size_t slot;
        std::vector<std::string_view> entries;
    };

    static const std::array<UnitList, SettingsRecord::kUnitCount>& unitLists();
    static std::vector<std::string_view> languageNames();

    SettingsDialogLogic(Localisation& localisation, SettingsRecord& settings);

    int selectedUnit(std::size_t slot) const;
    void chooseUnit(std::size_t slot, int index);
    int selectedLanguage() const;
    void chooseLanguage(int index);

    std::string periodText() const;
    // Takes the period typed; on a text that is not a whole number in range
    // gives the message to show, and the period stays as it was.
    std::optional<std::string> commitPeriod(std::string_view text);

    // On the dialog's timer: true once after a language load, when the
    // dialog puts its texts on again.
    bool takeReload();
    const std::string& text(std::size_t entry) const;

private:
    Localisation& localisation_;
    SettingsRecord& settings_;
};

}  // namespace corsel
