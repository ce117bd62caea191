// Start-up, exit and the buttons of the main window, without the window.
#include <gtest/gtest.h>

#include <fstream>

#include "app/Registry.h"
#include "support/ProgramRig.h"

namespace corsel {
namespace {

using testing::ProgramRig;

constexpr RegistryHive kMachine = RegistryHive::LocalMachine;
const std::string kKey = CRegistry::kProgramKey;

void touch(const std::string& path, const std::string& content = "x") {
    std::ofstream(path, std::ios::binary) << content;
}

bool exists(const std::string& path) {
    return std::filesystem::exists(path);
}

TEST(MainWindowStart, AFirstStartWritesTheDefaultsAndShowsTheIdleWindow) {
    ProgramRig rig("standard", false);
    rig.start();
    EXPECT_EQ(rig.registry.value(kMachine, kKey, "Settings"),
              std::string("\x01\x01\x01\x01\x01\x06\x01\x01\x01\x01", 10));
    EXPECT_EQ(rig.registry.value(kMachine, kKey, "FAQ"), "1005");
    EXPECT_EQ(rig.registry.value(kMachine, kKey, "Chart3"), "3");
    EXPECT_EQ(rig.registry.value(kMachine, kKey, "OpenSave2"), rig.work.path());
    EXPECT_EQ(rig.registry.value(kMachine, kKey, "Language2"), std::string(1, '\x02'));

    EXPECT_EQ(rig.view.caption, "Tarquell for Honda motorcycles and marine engines V2.0.5.3");
    EXPECT_EQ(rig.view.tabs, (std::vector<std::string>{"Engine data", "List of fault codes",
                                                       "Engine data at fault"}));
    EXPECT_EQ(rig.view.text(ControlId::Connect), "Connect");
    EXPECT_EQ(rig.view.text(ControlId::TimeLabel), "Time: 0.00 sec");
    for (const ControlId off :
         {ControlId::ErrorClear, ControlId::Connect, ControlId::SaveAs, ControlId::Print}) {
        EXPECT_FALSE(rig.view.isEnabled(off)) << static_cast<int>(off);
    }
    EXPECT_TRUE(rig.view.timerRunning);
    EXPECT_EQ(rig.program->temporaryFolder, rig.work.path());
}

TEST(MainWindowStart, StoredChoicesAreUsedAndUpdateLeftoversGo) {
    ProgramRig rig("standard", false);
    rig.registry.put(kMachine, kKey, "Language2", std::string(1, '\x09'));  // Russian
    rig.registry.put(RegistryHive::CurrentUser, kKey, "InstallDir", rig.temp.path() + "/");
    touch(rig.temp.file("Setup_Tarquell-Honda.exe"));
    touch(rig.temp.file("Honda.txt"));
    rig.start();
    EXPECT_EQ(rig.program->localisation.LanguageIndex, 8);
    EXPECT_EQ(rig.program->localisation.FontCharset, 204);
    EXPECT_FALSE(exists(rig.temp.file("Setup_Tarquell-Honda.exe")));
    EXPECT_FALSE(exists(rig.temp.file("Honda.txt")));
}

TEST(MainWindowStart, TheTemporaryFolderTestKeepsALeftOverRecording) {
    testing::ScratchFolder work;
    touch(work.file("Honda_Temp.HDT"), "recorded");
    EXPECT_EQ(MainWindowLogic::chooseTemporaryFolder(work.path(), "/tmp"), work.path());
    std::ifstream kept(work.file("Honda_Temp.HDT"));
    std::string content;
    kept >> content;
    EXPECT_EQ(content, "recorded");
    EXPECT_EQ(MainWindowLogic::chooseTemporaryFolder(work.path() + "/missing", "/tmp"), "/tmp");
}

TEST(MainWindowStart, TheDisplayScaleFollowsTheScreenResolution) {
    EXPECT_EQ(MainWindowLogic::displayScaleFor(96), 1.0);
    EXPECT_EQ(MainWindowLogic::displayScaleFor(120), 1.25);
    EXPECT_EQ(MainWindowLogic::displayScaleFor(143), 1.25);
    EXPECT_EQ(MainWindowLogic::displayScaleFor(144), 1.5);
    EXPECT_EQ(MainWindowLogic::displayScaleFor(192), 2.0);
    EXPECT_EQ(MainWindowLogic::displayScaleFor(201), 1.0);
    EXPECT_EQ(MainWindowLogic::displayScaleFor(72), 1.0);
}

TEST(MainWindowExit, WithTheLinkOpenSendsStopAndStoresTheLanguage) {
    ProgramRig rig;
    rig.start();
    ASSERT_TRUE(rig.linked());
    rig.program->localisation.LanguageIndex = 3;
    const std::size_t from = rig.commandCount();
    EXPECT_TRUE(rig.program->window.requestExit());
    rig.clock().sleepFor(std::chrono::milliseconds(100));
    EXPECT_EQ(rig.commandsSince(from), (std::vector<std::string>{"Stop"}));
    EXPECT_EQ(rig.registry.value(kMachine, kKey, "Language2"), std::string(1, '\x04'));
    EXPECT_TRUE(rig.program->flags.closing);
    EXPECT_FALSE(rig.lock.held);
}

TEST(MainWindowExit, UnsavedDataAndNoKeepsTheWindowAndTheSessionRunning) {
    MainWindowHooks hooks;
    hooks.unsavedRecording = [] { return true; };
    ProgramRig rig("standard", true, hooks);
    ASSERT_TRUE(rig.startSession());
    rig.view.answers.push_back(PromptAnswer::No);
    EXPECT_FALSE(rig.program->window.requestExit());
    ASSERT_EQ(rig.view.questions.size(), 1u);
    EXPECT_EQ(rig.view.questions[0].text,
              "Last session was not saved!\n\rWould you like to exit anyway?");
    EXPECT_EQ(rig.view.questions[0].caption, "Attention");
    EXPECT_TRUE(rig.view.timerRunning);
    EXPECT_TRUE(rig.records().sessionActive);
    EXPECT_FALSE(rig.program->flags.closing);
    const std::size_t from = rig.commandCount();
    rig.tick(7);
    EXPECT_GE(rig.commandsSince(from).size(), 6u);
}

TEST(MainWindowExit, AWaitingUpdateStartsTheInstallerInsteadOfDeletingIt) {
    bool waiting = false;
    MainWindowHooks hooks;
    hooks.updateWaiting = [&] { return waiting; };
    ProgramRig rig("standard", false, hooks);
    rig.registry.put(RegistryHive::CurrentUser, kKey, "InstallDir", rig.temp.path() + "/");
    rig.start();
    const std::string installer = rig.temp.file("Setup_Tarquell-Honda.exe");
    touch(installer);
    waiting = true;
    EXPECT_TRUE(rig.program->window.requestExit());
    EXPECT_TRUE(exists(installer));
    EXPECT_EQ(rig.shell.opened, (std::vector<std::string>{installer}));

    waiting = false;
    EXPECT_TRUE(rig.program->window.requestExit());
    EXPECT_FALSE(exists(installer));
}

TEST(MainWindowButtons, SettingsStoresTheRecordAndAppliesTheLanguageAtOnce) {
    MainWindowHooks hooks;
    ProgramRig* rigPointer = nullptr;
    bool timerDuringDialog = true;
    hooks.runSettingsDialog = [&] {
        Program& program = *rigPointer->program;
        timerDuringDialog = rigPointer->view.timerRunning;
        program.stored.settings[SettingsRecord::SpeedUnit] = 1;  // MPH
        program.localisation.LanguageIndex = 8;                   // Russian
    };
    ProgramRig rig("standard", false, hooks);
    rigPointer = &rig;
    rig.start();
    rig.program->window.onSettings();
    EXPECT_FALSE(timerDuringDialog);
    EXPECT_TRUE(rig.view.timerRunning);
    EXPECT_EQ(rig.registry.value(kMachine, kKey, "Settings")->front(), '\x02');
    EXPECT_EQ(rig.program->localisation.FontCharset, 204);
    EXPECT_EQ(rig.program->localisation.tables.PageTexts[111], "MPH");
    EXPECT_NE(rig.view.text(ControlId::Connect), "Connect");  // the Russian text
    EXPECT_TRUE(rig.records().identifyNeeded);
    // The language is stored only at exit.
    EXPECT_EQ(rig.registry.value(kMachine, kKey, "Language2"), std::string(1, '\x02'));
}

TEST(MainWindowButtons, FaqOpensTheDocumentOfTheLanguage) {
    ProgramRig rig("standard", false);
    // Written without its closing separator; the documents are still inside.
    rig.registry.put(RegistryHive::CurrentUser, kKey, "InstallDir", "/opt/tarquell");
    rig.start();
    for (const auto& [language, document] :
         std::vector<std::pair<int, std::string>>{{3, "FAQ_Tarquell-Honda_de.pdf"},
                                                  {2, "FAQ_Tarquell-Honda_fr.pdf"},
                                                  {8, "FAQ_Tarquell-Honda_ru.pdf"},
                                                  {1, "FAQ_Tarquell-Honda.pdf"},
                                                  {0, "FAQ_Tarquell-Honda.pdf"}}) {
        rig.program->localisation.LanguageIndex = static_cast<std::int16_t>(language);
        rig.program->window.onFaq();
        EXPECT_EQ(rig.shell.opened.back(), "/opt/tarquell/" + document);
    }
    EXPECT_TRUE(rig.view.timerRunning);
}

TEST(MainWindowButtons, ErrorClearAsksFirstAndClearsTheCodes) {
    ProgramRig rig("faults");
    ASSERT_TRUE(rig.startSession());
    EXPECT_EQ(rig.view.tab, 1);  // codes at the start show the fault list
    rig.view.answers.push_back(PromptAnswer::No);
    rig.program->window.onErrorClear();
    ASSERT_EQ(rig.view.questions.size(), 1u);
    EXPECT_EQ(rig.view.questions[0].text, "Fault codes will be cleared. Continue?");
    EXPECT_FALSE(rig.ecm->currentCodes().empty());

    rig.program->window.onErrorClear();
    EXPECT_TRUE(rig.ecm->currentCodes().empty());
}

TEST(MainWindowButtons, AMarineSessionChangesOnlyTheSensorTexts) {
    ProgramRig rig("marine");
    ASSERT_TRUE(rig.startSession());
    rig.tick(3);
    const TextTables& tables = rig.program->localisation.tables;
    EXPECT_EQ(tables.PageTexts[1], "Alternator");
    EXPECT_EQ(rig.view.tabs.size(), 2u);  // no freeze frame on a marine ECM
    EXPECT_EQ(rig.view.text(ControlId::Connect), "Disconnect");

    rig.program->window.onConnect();  // ends the session: the ordinary texts return
    EXPECT_EQ(tables.PageTexts[1], "Vehicle speed");
    EXPECT_EQ(rig.view.tabs.size(), 3u);
}

TEST(MainWindowTabs, TheThirdTabShowsTheEngineDataAtFaultOnlyWithFaultCodes) {
    ProgramRig rig("standard", false);
    rig.start();
    rig.tick(3);
    rig.program->window.onTabSelected(2);
    EXPECT_EQ(rig.view.shownPage, 2);
    EXPECT_EQ(rig.records().CurrentPage, 2);

    // Codes came: the selected third tab now stands for the freeze frame.
    rig.view.tab = 2;
    rig.records().faultLists.CurrentDtcCount = 1;
    rig.tick();
    EXPECT_EQ(rig.view.shownPage, 3);
    EXPECT_EQ(rig.records().CurrentPage, 3);

    // In playback the recording decides the page.
    rig.records().PlaybackMode = true;
    rig.program->window.onTabSelected(0);
    EXPECT_EQ(rig.records().CurrentPage, 3);
}

TEST(MainWindowTabs, AfterTheModelListTheSelectedTabsPageIsShownAgain) {
    std::vector<int> topics;
    std::uint16_t topicDuringHelp = 0;
    MainWindowHooks hooks;
    ProgramRig* rigOf = nullptr;
    hooks.showHelp = [&](int topic) {
        topics.push_back(topic);
        topicDuringHelp = rigOf->program->pages.HelpTopic;
    };
    ProgramRig rig("standard", false, hooks);
    rigOf = &rig;
    rig.start();
    rig.tick(3);
    rig.view.tab = 1;
    rig.program->window.onTabSelected(1);
    rig.program->window.onModels();
    EXPECT_EQ(rig.records().CurrentPage, 10);
    rig.program->window.onHelp();  // while the repaint is pending
    rig.tick(4);
    EXPECT_EQ(rig.records().CurrentPage, 1);
    rig.program->window.onHelp();
    rig.program->window.onInfo();
    EXPECT_EQ(topics, (std::vector<int>{2, 2, 100}));
    EXPECT_EQ(topicDuringHelp, 100);
    EXPECT_EQ(rig.program->pages.HelpTopic, 0);
}

}  // namespace
}  // namespace corsel
