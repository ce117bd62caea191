#include <gtest/gtest.h>

#include <string>

#include "app/SettingsRecord.h"
#include "text/LanguageCatalog.h"
#include "text/LanguageData.h"
#include "text/Localisation.h"

namespace corsel {
namespace {

const LanguageData& english() {
    return languageData("en");
}

TEST(LanguageFiles, EveryEmbeddedFileReadsWithoutAnError) {
    for (const LanguageInfo& language : kLanguages) {
        SCOPED_TRACE(std::string(language.file));
        EXPECT_FALSE(embeddedLanguageFile(language.file).empty());
        const LanguageData& data = languageData(language.file);
        EXPECT_EQ(data.errors(), std::vector<std::string>{});
        EXPECT_FALSE(data.entries(TextTable::MainTexts).empty());
    }
    EXPECT_TRUE(languageData("xx").entries(TextTable::MainTexts).empty());
}

TEST(LanguageFiles, EnglishHasEveryFaultMeaning) {
    EXPECT_EQ(english().entries(TextTable::DtcTexts).size(), 106u);
    EXPECT_EQ(english().entries(TextTable::MarineDtcTexts).size(), 38u);
    const std::pair<std::size_t, const char*> spotChecks[] = {
        {11, "MAP SENSOR LOW VOLTAGE (sensor output voltage low)"},
        {71, "ECT SENSOR LOW VOLTAGE (ECT sensor circuit low voltage)"},
        {121, "#1 FUEL INJECTOR CIRCUIT FAULT (no.1 cylinder primary injector circuit)"},
        {861, "Meter communication malfunction (Open or short circuit in the TXD/RXD wire)"},
    };
    for (const auto& [index, text] : spotChecks) {
        const std::string* found = english().find(TextTable::DtcTexts, index);
        ASSERT_NE(found, nullptr) << index;
        EXPECT_EQ(*found, text);
    }
}

TEST(LanguageParser, ReadsEscapesAndCompoundKeys) {
    const LanguageData data = LanguageData::parse(
        "# comment\r\n"
        "[MainTexts]\r\n"
        "  2 = \"Connect\"  \r\n"
        "3=\"tab\\there \\\"quoted\\\" back\\\\slash\\r\\n\"\n"
        "4 = \"\"\n"
        "5 = \"a = b # not a comment\"\n"
        "[DtcTexts]\n"
        "12-1 = \"injector\"\n"
        "259-9 = \"last\"\n"
        "[UnitChoices]\n"
        "2.3 = \"psig\"\n"
        "[Marine.DtcTexts]\n"
        "1432 = \"marine\"");
    EXPECT_EQ(data.errors(), std::vector<std::string>{});
    EXPECT_EQ(*data.find(TextTable::MainTexts, 2), "Connect");
    EXPECT_EQ(*data.find(TextTable::MainTexts, 3), "tab\there \"quoted\" back\\slash\r\n");
    EXPECT_EQ(*data.find(TextTable::MainTexts, 4), "");
    EXPECT_EQ(*data.find(TextTable::MainTexts, 5), "a = b # not a comment");
    EXPECT_EQ(*data.find(TextTable::DtcTexts, 121), "injector");
    EXPECT_EQ(*data.find(TextTable::DtcTexts, 2599), "last");
    EXPECT_EQ(*data.find(TextTable::UnitChoices, 23), "psig");
    EXPECT_EQ(*data.find(TextTable::MarineDtcTexts, 1432), "marine");
}

TEST(LanguageParser, SkipsBadLinesAndSaysWhere) {
    const LanguageData data = LanguageData::parse(
        "2 = \"before any table\"\n"  // 1
        "[MainTexts]\n"
        "128 = \"past the end\"\n"  // 3
        "-1 = \"negative\"\n"
        "x = \"not a number\"\n"  // 5
        "6 = unquoted\n"
        "7 = \"unknown \\q escape\"\n"  // 7
        "8 = \"dangling \\\"\n"
        "9 = \"inner \" quote\"\n"  // 9
        "10 \"no equals\"\n"
        "11 = \"kept\"\n"  // 11
        "[DtcTexts]\n"
        "12-10 = \"sub code of two digits\"\n"  // 13
        "260-0 = \"past the end\"\n"
        "12- = \"no sub code\"\n"  // 15
        "[UnitChoices]\n"
        "5.0 = \"unit past the end\"\n"  // 17
        "[NoSuchTable]\n"
        "1 = \"under an unknown table\"\n"  // 19
        "@include en\n");
    EXPECT_EQ(data.entries(TextTable::MainTexts).size(), 1u);
    EXPECT_EQ(*data.find(TextTable::MainTexts, 11), "kept");
    EXPECT_TRUE(data.entries(TextTable::DtcTexts).empty());
    EXPECT_TRUE(data.entries(TextTable::UnitChoices).empty());
    std::vector<int> errorLines;
    for (const std::string& error : data.errors()) {
        errorLines.push_back(std::stoi(error.substr(error.find(' '))));
    }
    EXPECT_EQ(errorLines,
              (std::vector<int>{1, 3, 4, 5, 6, 7, 8, 9, 10, 13, 14, 15, 17, 18, 19, 20}));
}

TEST(LanguageParser, IncludeStartsFromAnotherLanguage) {
    const LanguageData base = LanguageData::parse(
        "[MainTexts]\n1 = \"base one\"\n2 = \"base two\"\n[DtcTexts]\n1-1 = \"base fault\"");
    auto resolve = [&](std::string_view name) { return name == "base" ? &base : nullptr; };

    const LanguageData derived = LanguageData::parse(
        "# comments may come first\n@include base\n[MainTexts]\n2 = \"own two\"", resolve);
    EXPECT_EQ(derived.errors(), std::vector<std::string>{});
    EXPECT_EQ(*derived.find(TextTable::MainTexts, 1), "base one");
    EXPECT_EQ(*derived.find(TextTable::MainTexts, 2), "own two");
    EXPECT_EQ(*derived.find(TextTable::DtcTexts, 11), "base fault");

    const LanguageData late =
        LanguageData::parse("[MainTexts]\n2 = \"own two\"\n@include base", resolve);
    EXPECT_EQ(late.errors().size(), 1u);
    EXPECT_EQ(late.find(TextTable::MainTexts, 1), nullptr);

    const LanguageData unknown = LanguageData::parse("@include nowhere\n", resolve);
    EXPECT_EQ(unknown.errors().size(), 1u);
    EXPECT_EQ(LanguageData::parse("@include base").errors().size(), 1u);  // no resolver
}

class LoadLanguageTest : public ::testing::Test {
protected:
    void load(int language, bool marine = false) {
        localisation.LanguageIndex = static_cast<std::int16_t>(language);
        localisation.LoadLanguage(settings, marine);
    }

    TextTables& tables = localisation.tables;
    Localisation localisation;
    SettingsRecord settings = SettingsRecord::defaults();
};

TEST_F(LoadLanguageTest, EnglishFillsTheTablesAndSetsReloadMarkers) {
    load(kEnglish);
    EXPECT_EQ(localisation.FontCharset, 1);
    EXPECT_EQ(tables.MainTexts[2], "Connect");
    EXPECT_EQ(tables.MainTexts[66], "Print");
    EXPECT_EQ(tables.MainTexts[12], tables.MainTexts[11]);
    EXPECT_EQ(tables.UnitTexts[SettingsRecord::SpeedUnit], "Km/h");
    EXPECT_EQ(tables.PageTexts[111], "Km/h");
    EXPECT_EQ(tables.PageTexts[116], "g/sec");
    EXPECT_EQ(tables.PageTexts[117], "°C");
    EXPECT_EQ(tables.PageTexts[118], "kPa");
    EXPECT_EQ(tables.PageTexts[119], "l/min");
    EXPECT_EQ(tables.DtcTexts[121], *english().find(TextTable::DtcTexts, 121));

    for (TextTables::Table* table :
         {&tables.MainTexts, &tables.PageTexts, &tables.FaultListTexts, &tables.FaultPageTexts,
          &tables.AboutTexts, &tables.ModelsTexts, &tables.SettingsTexts, &tables.FileDialogTexts,
          &tables.GraphTexts, &tables.GraphHelpTexts}) {
        EXPECT_TRUE(TextTables::takeReloadMarker(*table));
        EXPECT_FALSE(TextTables::takeReloadMarker(*table));
    }
    EXPECT_EQ(tables.PageTexts[TextTables::kPageReloadMarker2], "0");
}

TEST_F(LoadLanguageTest, EveryLanguageHasTheHelpWindowsTopicsLinkAndButton) {
    for (int language = 0; language < 11; ++language) {
        Localisation fresh;  // nothing left over from another language
        fresh.LanguageIndex = static_cast<std::int16_t>(language);
        fresh.LoadLanguage(settings, false);
        for (const std::size_t entry : {1, 2, 3, 4, 11, 12, 13, 14, 19, 20, 100, 110}) {
            EXPECT_FALSE(fresh.tables.AboutTexts[entry].empty()) << language << " " << entry;
        }
    }
}

TEST_F(LoadLanguageTest, UnitsFollowTheOptionsAndOutOfRangeOnesGoBackToTheFirst) {
    settings[SettingsRecord::PressureUnit] = 3;
    settings[SettingsRecord::SpeedUnit] = 1;
    load(kEnglish);
    EXPECT_EQ(tables.PageTexts[118], "psig");
    EXPECT_EQ(tables.PageTexts[111], "MPH");

    settings[SettingsRecord::PressureUnit] = 7;
    settings[SettingsRecord::TemperatureUnit] = -1;
    load(kEnglish);
    EXPECT_EQ(tables.PageTexts[118], "kPa");
    EXPECT_EQ(tables.PageTexts[117], "°C");
    EXPECT_EQ(settings[SettingsRecord::PressureUnit], 0);
    EXPECT_EQ(settings[SettingsRecord::TemperatureUnit], 0);
    EXPECT_EQ(settings[SettingsRecord::SpeedUnit], 1);
}

TEST_F(LoadLanguageTest, SpanishUnitsWithEnglishForTheRest) {
    settings[SettingsRecord::FlowRateUnit] = 1;
    load(9);
    EXPECT_EQ(tables.UnitTexts[SettingsRecord::AirFlowUnit], "g/seg");
    EXPECT_EQ(tables.PageTexts[116], "g/seg");
    EXPECT_EQ(tables.PageTexts[119], "l/seg");
    settings[SettingsRecord::FlowRateUnit] = 2;
    load(9);
    EXPECT_EQ(tables.PageTexts[119], "gal/min");
}

TEST_F(LoadLanguageTest, RussianSetsItsCharsetAndKeepsWhatItDoesNotTranslate) {
    load(kEnglish);
    const std::string englishOnly = tables.MainTexts[30];
    load(kRussian);
    EXPECT_EQ(localisation.FontCharset, 204);
    EXPECT_EQ(tables.MainTexts[2], "Подключить");
    EXPECT_EQ(tables.MainTexts[30], englishOnly);
    EXPECT_TRUE(tables.DtcTexts[121].starts_with("НЕИСПРАВНОСТЬ"));
    // English until translated, units included.
    EXPECT_EQ(tables.DtcTexts[212], *english().find(TextTable::DtcTexts, 212));
    EXPECT_EQ(tables.PageTexts[111], "Km/h");
    load(kEnglish);
    EXPECT_EQ(localisation.FontCharset, 1);
    EXPECT_EQ(tables.MainTexts[2], "Connect");
}

TEST_F(LoadLanguageTest, AnUnknownLanguageLoadsOnlyTheEnglishFallbacks) {
    load(kRussian);
    ASSERT_EQ(tables.MainTexts[57], "Ошибок нет");
    TextTables::markApplied(tables.MainTexts);

    for (const int unknown : {11, -1, 254}) {
        load(unknown);
        EXPECT_EQ(localisation.FontCharset, 1);
        EXPECT_EQ(tables.MainTexts[57], "No error(s)");
        EXPECT_EQ(tables.MainTexts[45], "Offline mode");
        EXPECT_EQ(tables.MainTexts[2], "Подключить");
        EXPECT_TRUE(tables.DtcTexts[121].starts_with("НЕИСПРАВНОСТЬ"));
        EXPECT_EQ(tables.ModelsTexts[1], *english().find(TextTable::ModelsTexts, 1));
        EXPECT_EQ(tables.FileDialogTexts[0], *english().find(TextTable::FileDialogTexts, 0));
        EXPECT_EQ(tables.MainTexts[TextTables::kReloadMarker], "1");
    }
}

TEST_F(LoadLanguageTest, MarineSetReplacesOnlySensorHelpAndMarineFaultTexts) {
    load(kEnglish);
    for (TextTables::Table* table : {&tables.MainTexts, &tables.PageTexts, &tables.SettingsTexts}) {
        TextTables::markApplied(*table);
    }
    tables.PageTexts[TextTables::kPageReloadMarker2] = "1";
    const TextTables before = tables;

    load(kEnglish, true);
    EXPECT_EQ(tables.MainTexts, before.MainTexts);
    EXPECT_EQ(tables.SettingsTexts, before.SettingsTexts);
    EXPECT_EQ(tables.FaultListTexts, before.FaultListTexts);
    EXPECT_EQ(tables.UnitTexts, before.UnitTexts);
    for (std::size_t entry = 0; entry < TextTables::kTableSize; ++entry) {
        const std::string* marine = english().find(TextTable::MarinePageTexts, entry);
        if (entry == TextTables::kReloadMarker) {
            EXPECT_EQ(tables.PageTexts[entry], "0");
        } else if (entry <= 42 || entry == 50) {
            ASSERT_NE(marine, nullptr) << entry;
            EXPECT_EQ(tables.PageTexts[entry], *marine) << entry;
        } else {
            EXPECT_EQ(tables.PageTexts[entry], before.PageTexts[entry]) << entry;
        }
    }
    for (std::size_t entry = 0; entry < TextTables::kHelpCount; ++entry) {
        EXPECT_EQ(tables.HelpTexts[entry], *english().find(TextTable::MarineHelpTexts, entry));
    }
    const auto& marineFaults = english().entries(TextTable::MarineDtcTexts);
    for (std::size_t code = 0; code < TextTables::kDtcCount; ++code) {
        const auto marine = marineFaults.find(code);
        EXPECT_EQ(tables.DtcTexts[code],
                  marine != marineFaults.end() ? marine->second : before.DtcTexts[code])
            << code;
    }
}

TEST_F(LoadLanguageTest, RussianMarineTextsOverlayTheEnglishOnes) {
    load(kRussian);
    load(kRussian, true);
    EXPECT_EQ(localisation.FontCharset, 1);
    EXPECT_EQ(tables.PageTexts[1], "Генератор");
    EXPECT_EQ(tables.PageTexts[6], *english().find(TextTable::MarinePageTexts, 6));
    EXPECT_EQ(tables.MainTexts[2], "Подключить");
}

}  // namespace
}  // namespace corsel
