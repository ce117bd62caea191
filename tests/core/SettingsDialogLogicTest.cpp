#include <gtest/gtest.h>

#include <string>

#include "app/SettingsDialogLogic.h"

namespace corsel {
namespace {

using Names = std::vector<std::string_view>;

class SettingsDialogLogicTest : public ::testing::Test {
protected:
    Localisation localisation;
    SettingsRecord settings = SettingsRecord::defaults();
    SettingsDialogLogic dialog{localisation, settings};
};

TEST_F(SettingsDialogLogicTest, ListsUnitsAndLanguagesInOrder) {
    const auto& lists = SettingsDialogLogic::unitLists();
    EXPECT_EQ(lists[0].entries, (Names{"Km/h", "MPH"}));
    EXPECT_EQ(lists[1].entries, (Names{"°C", "°F"}));
    EXPECT_EQ(lists[2].entries, (Names{"kPa", "mmHg", "inHg", "psig"}));
    EXPECT_EQ(lists[3].entries, (Names{"g/sec", "lb/min"}));
    EXPECT_EQ(lists[4].entries, (Names{"l/min", "l/sec", "gal/min", "gal/sec"}));
    for (std::size_t unit = 0; unit < lists.size(); ++unit) {
        EXPECT_EQ(lists[unit].slot, unit);
        EXPECT_EQ(lists[unit].entries.size(),
                  static_cast<std::size_t>(SettingsRecord::kUnitChoices[unit]));
    }
    EXPECT_EQ(SettingsDialogLogic::languageNames(),
              (Names{"Czech", "English", "French", "German", "Hungarian", "Indonesian", "Italian",
                     "Poland", "Russian", "Spanish", "Türkçe"}));
}

TEST_F(SettingsDialogLogicTest, ChoicesGoToTheirSlots) {
    dialog.chooseUnit(SettingsRecord::FlowRateUnit, 3);
    EXPECT_EQ(settings[SettingsRecord::FlowRateUnit], 3);
    EXPECT_EQ(dialog.selectedUnit(SettingsRecord::FlowRateUnit), 3);
    dialog.chooseUnit(SettingsRecord::SpeedUnit, 2);  // no third speed unit
    EXPECT_EQ(settings[SettingsRecord::SpeedUnit], 0);

    dialog.chooseLanguage(8);
    EXPECT_EQ(localisation.LanguageIndex, 8);
    dialog.chooseLanguage(11);
    EXPECT_EQ(dialog.selectedLanguage(), 8);
}

TEST_F(SettingsDialogLogicTest, PeriodMustBeAWholeNumberUpToHundred) {
    const std::string range = "Please enter an integer between 0 and 100.";
    const std::string integer = "Please enter an integer.";
    const std::pair<const char*, std::optional<std::string>> cases[] = {
        {"150", range}, {"-1", range},    {"1000000000000", range}, {"abc", integer},
        {"", integer},  {"7.5", integer}, {"-", integer},
    };
    for (const auto& [typed, message] : cases) {
        EXPECT_EQ(dialog.commitPeriod(typed), message) << typed;
        EXPECT_EQ(settings[SettingsRecord::HighlightPeriod], 5) << typed;
    }
    const std::pair<const char*, int> accepted[] = {{" 7 ", 7}, {"0", 0}, {"100", 100}, {"007", 7}};
    for (const auto& [typed, period] : accepted) {
        EXPECT_EQ(dialog.commitPeriod(typed), std::nullopt) << typed;
        EXPECT_EQ(settings[SettingsRecord::HighlightPeriod], period) << typed;
    }
    EXPECT_EQ(dialog.periodText(), "7");
}

TEST_F(SettingsDialogLogicTest, ReloadsItsTextsOnceAfterALoad) {
    EXPECT_FALSE(dialog.takeReload());
    localisation.LoadLanguage(settings, false);
    EXPECT_TRUE(dialog.takeReload());
    EXPECT_FALSE(dialog.takeReload());
    EXPECT_EQ(dialog.text(1), "Settings");
    EXPECT_EQ(dialog.text(500), "");
}

}  // namespace
}  // namespace corsel
