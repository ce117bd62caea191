#include <gtest/gtest.h>

#include <string>

#include "app/Registry.h"
#include "app/StoredSettings.h"
#include "support/MemoryRegistryStore.h"

namespace corsel {
namespace {

using testing::MemoryRegistryStore;

constexpr auto kMachine = RegistryHive::LocalMachine;
constexpr auto kUser = RegistryHive::CurrentUser;
const std::string kKey = CRegistry::kProgramKey;
const std::string kFolder = "/home/tech/work";

std::string chars(std::initializer_list<int> codes) {
    std::string text;
    for (const int code : codes) {
        text += static_cast<char>(code);
    }
    return text;
}

TEST(RegistryKey, AssignmentWritesThroughAndRemoveDeletes) {
    MemoryRegistryStore store;
    CRegistry key(store, kMachine, kKey, true);
    ASSERT_TRUE(key.isOpen());
    EXPECT_FALSE(key["FAQ"].exists());
    EXPECT_EQ(key["FAQ"].text(), "");

    key["FAQ"] = "1005";
    EXPECT_EQ(store.value(kMachine, kKey, "FAQ"), "1005");
    EXPECT_TRUE(key.contains("faq"));

    key["FAQ"].remove();
    EXPECT_FALSE(store.value(kMachine, kKey, "FAQ"));
    EXPECT_FALSE(key.contains("FAQ"));
    EXPECT_FALSE(CRegistry(store, kUser, kKey, false).isOpen());
    EXPECT_FALSE(store.hasKey(kUser, kKey));
}

TEST(StoredSettings, FirstStartWritesEveryDefault) {
    MemoryRegistryStore store;
    const StoredSettings read = readStoredSettings(store, kFolder);

    const RegistryStore::Values expected{
        {"Settings", chars({1, 1, 1, 1, 1, 6, 1, 1, 1, 1})},
        {"FAQ", "1005"},
        {"Chart0", "0"},
        {"Chart1", "1"},
        {"Chart2", "2"},
        {"Chart3", "3"},
        {"OpenSave2", kFolder},
        {"Language2", chars({2})},
    };
    EXPECT_EQ(store.values(kMachine, kKey), expected);
    EXPECT_FALSE(store.hasKey(kUser, kKey));  // InstallDir is only read

    EXPECT_EQ(read.settings.options, SettingsRecord::defaults().options);
    EXPECT_EQ(read.languageIndex, 1);
    EXPECT_EQ(read.faqVersion, "1005");
    EXPECT_EQ(read.charts, (std::array<int, 4>{0, 1, 2, 3}));
    EXPECT_EQ(read.openSaveFolder, kFolder);
    EXPECT_EQ(read.installDir, "");

    // A second start finds everything and writes nothing.
    const int writes = store.writeCount;
    readStoredSettings(store, "/elsewhere");
    EXPECT_EQ(store.writeCount, writes);
}

TEST(StoredSettings, ReadsStoredValuesAndTheInstallFolderOfTheUser) {
    MemoryRegistryStore store;
    store.put(kMachine, kKey, "FAQ", "");
    store.put(kMachine, kKey, "Chart2", "30");
    store.put(kMachine, kKey, "OpenSave2", "/media/usb\tstick\n");
    store.put(kUser, kKey, "InstallDir", "/opt/corsel/");
    const StoredSettings read = readStoredSettings(store, kFolder);
    EXPECT_EQ(read.faqVersion, "");
    EXPECT_EQ(read.charts[2], 30);
    EXPECT_EQ(read.openSaveFolder, "/media/usb\tstick\n");
    EXPECT_EQ(read.installDir, "/opt/corsel/");
}

TEST(StoredSettings, OptionsAndLanguageRoundTrip) {
    MemoryRegistryStore store;
    readStoredSettings(store, kFolder);

    // Every slot at its top, then every slot at its bottom: codes 1 and 101
    // and control characters all come back.
    SettingsRecord highest = SettingsRecord::defaults();
    for (std::size_t unit = 0; unit < SettingsRecord::kUnitCount; ++unit) {
        highest[unit] = static_cast<std::int8_t>(SettingsRecord::kUnitChoices[unit] - 1);
    }
    highest[SettingsRecord::HighlightPeriod] = 100;
    SettingsRecord lowest = SettingsRecord::defaults();
    lowest[SettingsRecord::HighlightPeriod] = 0;

    for (const SettingsRecord& record : {highest, lowest}) {
        storeSettingsRecord(store, record);
        EXPECT_EQ(readStoredSettings(store, kFolder).settings.options, record.options);
    }
    EXPECT_EQ(store.value(kMachine, kKey, "Settings"), chars({1, 1, 1, 1, 1, 1, 1, 1, 1, 1}));

    for (const std::int16_t language : {0, 8, 10}) {
        storeLanguage(store, language);
        EXPECT_EQ(readStoredSettings(store, kFolder).languageIndex, language);
    }
    EXPECT_EQ(store.value(kMachine, kKey, "Language2"), chars({11}));
}

TEST(StoredSettings, AKeyThatCannotBeOpenedLeavesTheDefaults) {
    MemoryRegistryStore store;
    store.put(kMachine, kKey, "Language2", chars({9}));
    store.put(kUser, kKey, "InstallDir", "/opt/corsel/");
    store.failOpen = true;

    const StoredSettings read = readStoredSettings(store, kFolder);
    EXPECT_EQ(read.languageIndex, 1);
    EXPECT_EQ(read.settings.options, SettingsRecord::defaults().options);
    EXPECT_EQ(read.openSaveFolder, kFolder);
    EXPECT_EQ(read.installDir, "");

    storeSettingsRecord(store, SettingsRecord::defaults());
    storeLanguage(store, 3);
    EXPECT_EQ(store.writeCount, 0);
}

TEST(StoredSettings, NamesAreFoundWhateverTheirCase) {
    MemoryRegistryStore store;
    store.put(kMachine, kKey, "settings", chars({2, 2, 4}));
    store.put(kMachine, kKey, "SETTINGS", chars({1, 1, 2}));  // the first spelling wins
    store.put(kMachine, kKey, "LANGUAGE2", chars({5}));
    store.put(kMachine, kKey, "chart0", "17");

    const StoredSettings read = readStoredSettings(store, kFolder);
    EXPECT_EQ(read.settings[SettingsRecord::PressureUnit], 3);
    EXPECT_EQ(read.languageIndex, 4);
    EXPECT_EQ(read.charts[0], 17);
    EXPECT_FALSE(store.value(kMachine, kKey, "Settings"));
    EXPECT_FALSE(store.value(kMachine, kKey, "Language2"));

    storeSettingsRecord(store, SettingsRecord::defaults());
    storeLanguage(store, 2);
    EXPECT_EQ(store.value(kMachine, kKey, "settings"), SettingsRecord::defaults().stored());
    EXPECT_EQ(store.value(kMachine, kKey, "SETTINGS"), chars({1, 1, 2}));
    EXPECT_EQ(store.value(kMachine, kKey, "LANGUAGE2"), chars({3}));
    EXPECT_EQ(store.values(kMachine, kKey).size(), 9u);
}

// A damaged "Settings" value: the options it covers with a character in
// range are read, every other option keeps its default.
struct DamagedOptions {
    const char* what;
    std::string stored;
    std::array<int, 10> expected;
};

class DamagedOptionsTest : public ::testing::TestWithParam<DamagedOptions> {};

TEST_P(DamagedOptionsTest, GiveDefaultsWhereTheyCannotBeRead) {
    MemoryRegistryStore store;
    store.put(kMachine, kKey, "Settings", GetParam().stored);
    const StoredSettings read = readStoredSettings(store, kFolder);
    std::array<int, 10> options{};
    std::copy(read.settings.options.begin(), read.settings.options.end(), options.begin());
    EXPECT_EQ(options, GetParam().expected);
    // Left as it was for the user to see.
    EXPECT_EQ(store.value(kMachine, kKey, "Settings"), GetParam().stored);
}

INSTANTIATE_TEST_SUITE_P(
    StoredSettings, DamagedOptionsTest,
    ::testing::Values(DamagedOptions{"Empty", "", {0, 0, 0, 0, 0, 5, 0, 0, 0, 0}},
                      DamagedOptions{"Short", chars({2, 2, 4}), {1, 1, 3, 0, 0, 5, 0, 0, 0, 0}},
                      DamagedOptions{"UnitsOneAboveTheirRange",
                                     chars({3, 3, 5, 3, 5, 6, 1, 1, 1, 1}),
                                     {0, 0, 0, 0, 0, 5, 0, 0, 0, 0}},
                      DamagedOptions{"ZeroAndHighBytes",
                                     chars({0, 0xFF, 0x80, 0, 0xFF, 0xC3, 1, 1, 1, 1}),
                                     {0, 0, 0, 0, 0, 5, 0, 0, 0, 0}},
                      DamagedOptions{"PeriodEdges",
                                     chars({2, 1, 1, 1, 1, 101}),
                                     {1, 0, 0, 0, 0, 100, 0, 0, 0, 0}},
                      DamagedOptions{"ReservedSlotsSet",
                                     chars({1, 2, 1, 1, 4, 8, 2, 3, 101, 50}),
                                     {0, 1, 0, 0, 3, 7, 0, 0, 0, 0}},
                      DamagedOptions{"LongerThanTen",
                                     chars({2, 2, 4, 2, 4, 11, 1, 1, 1, 1, 9, 9, 9}),
                                     {1, 1, 3, 1, 3, 10, 0, 0, 0, 0}}),
    [](const auto& test) { return std::string(test.param.what); });

// A "Chart" value that is not a whole number in 0-30 gives its default.
class DamagedChartTest : public ::testing::TestWithParam<const char*> {};

TEST_P(DamagedChartTest, GivesTheDefaultChannel) {
    MemoryRegistryStore store;
    for (int chart = 0; chart < 4; ++chart) {
        store.put(kMachine, kKey, "Chart" + std::to_string(chart), GetParam());
    }
    EXPECT_EQ(readStoredSettings(store, kFolder).charts, (std::array<int, 4>{0, 1, 2, 3}));
}

INSTANTIATE_TEST_SUITE_P(StoredSettings, DamagedChartTest,
                         ::testing::Values("", "31", "-1", "abc", "5x", " 5", "5 ", "+5", "2.0",
                                           "99999999999999999999", "\x01"));

TEST(StoredSettings, LanguageIsTheFirstCharacterLessOneEvenOutOfRange) {
    const std::pair<std::string, int> cases[] = {
        {chars({1}), 0}, {chars({11, 5}), 10}, {chars({12}), 11},
        {"x", 'x' - 1},  {chars({0xFF}), 254}, {"", 1},
    };
    for (const auto& [stored, index] : cases) {
        MemoryRegistryStore store;
        store.put(kMachine, kKey, "Language2", stored);
        EXPECT_EQ(readStoredSettings(store, kFolder).languageIndex, index)
            << "stored code " << (stored.empty() ? -1 : static_cast<unsigned char>(stored[0]));
    }
}

}  // namespace
}  // namespace corsel
