#include "app/MainWindowLogic.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <utility>

#include "app/Program.h"
#include "pages/TabPages.h"
#include "text/MainTextIds.h"

namespace corsel {

namespace {

constexpr int kTabCount = 3;
constexpr int kFaultTab = 1;
constexpr int kThirdTab = 2;
constexpr std::uint32_t kRecordsWorthSaving = 10;
constexpr const char* kZeroTime = "0.00";

// The controls whose text is one entry of the main table, whatever the state.
constexpr std::pair<ControlId, std::size_t> kControlTexts[] = {
    {ControlId::ErrorClear, MainText::ClearCodes},
    {ControlId::SaveAs, MainText::SaveAs},
    {ControlId::Open, MainText::Open},
    {ControlId::Info, MainText::About},
    {ControlId::Help, MainText::Help},
    {ControlId::Settings, MainText::Settings},
    {ControlId::Models, MainText::Models},
    {ControlId::Faq, MainText::Faq},
    {ControlId::Graph, MainText::Graph},
    {ControlId::Print, MainText::Print},
    {ControlId::Hidden, MainText::Exit},
    {ControlId::DtcLabel, MainText::DtcLabel},
    {ControlId::HardwareIdLabel, MainText::HardwareIdLabel},
    {ControlId::SerialLabel, MainText::SerialLabel},
    {ControlId::PartNumberLabel, MainText::EcmIdLabel},
};

bool fileExists(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

void removeFile(const std::string& path) {
    std::error_code error;
    std::filesystem::remove(path, error);
}

}  // namespace

MainWindowLogic::MainWindowLogic(Program& program) : program_(program) {}

const std::string& MainWindowLogic::text(std::size_t entry) const {
    return TextTables::entry(program_.localisation.tables.MainTexts, entry);
}

double MainWindowLogic::displayScaleFor(int dotsPerInch) {
    if (dotsPerInch >= 120 && dotsPerInch <= 143) {
        return 1.25;
    }
    if (dotsPerInch >= 144 && dotsPerInch <= 191) {
        return 1.5;
    }
    if (dotsPerInch >= 192 && dotsPerInch <= 200) {
        return 2.0;
    }
    return 1.0;
}

std::string MainWindowLogic::chooseTemporaryFolder(const std::string& workingFolder,
                                                   const std::string& systemTempFolder) {
    const std::filesystem::path probe = std::filesystem::path(workingFolder) / kTempRecordingName;
    // A temporary recording left by an earlier run stays as it is: the test
    // appends nothing and deletes only a file it created itself.
    const bool existed = fileExists(probe.string());
    bool writable = false;
    {
        std::ofstream file(probe, std::ios::binary | std::ios::app);
        writable = file.is_open();
    }
    if (writable && !existed) {
        removeFile(probe.string());
    }
    return writable ? workingFolder : systemTempFolder;
}

std::string MainWindowLogic::faqDocument(int languageIndex) {
    switch (languageIndex) {
        case 3:
            return "FAQ_Tarquell-Honda_de.pdf";
        case 2:
            return "FAQ_Tarquell-Honda_fr.pdf";
        case 8:
            return "FAQ_Tarquell-Honda_ru.pdf";
        default:
            return "FAQ_Tarquell-Honda.pdf";
    }
}

std::string MainWindowLogic::installFile(const std::string& name) const {
    return program_.stored.installDir + name;
}

void MainWindowLogic::removeUpdateLeftovers() {
    const std::string installer = installFile(kInstallerName);
    const std::string versionFile = installFile(kVersionFileName);
    if (fileExists(installer) && fileExists(versionFile)) {
        removeFile(installer);
        removeFile(versionFile);
    }
}

void MainWindowLogic::initialise(int dotsPerInch) {
    ProgramServices& services = program_.services;
    MainWindowView& view = services.view;
    program_.displayScale = displayScaleFor(dotsPerInch);
    program_.temporaryFolder =
        chooseTemporaryFolder(services.workingFolder, services.systemTempFolder);
    program_.stored = readStoredSettings(services.registry, services.workingFolder);
    // The installation folder is known only now: the leftovers of an update
    // go once the settings are read.
    removeUpdateLeftovers();

    program_.localisation.LanguageIndex = program_.stored.languageIndex;
    program_.localisation.LoadLanguage(program_.stored.settings,
                                       program_.records.identity.MarineMode);
    ResetDisplay();

    services.channel.linkOpen = false;
    view.selectTab(0);
    for (const ControlId control :
         {ControlId::ErrorClear, ControlId::Connect, ControlId::SaveAs, ControlId::Print}) {
        view.setEnabled(control, false);
    }
    view.setEnabled(ControlId::StatusLine, true);

    SessionFlags& flags = program_.flags;
    flags.commandLineTicks = 1;
    flags.bootLoaderServed = false;
    flags.secondInstance = !services.instanceLock.acquire(kInstanceLockName);
    view.startTimer();
}

bool MainWindowLogic::requestExit() {
    ProgramServices& services = program_.services;
    MainWindowView& view = services.view;
    view.stopTimer();
    if (program_.hooks.unsavedRecording && program_.hooks.unsavedRecording()) {
        const PromptAnswer answer = view.ask({text(MainText::ExitUnsaved),
                                              text(MainText::AttentionCaption),
                                              PromptButtons::YesNo, PromptIcon::Warning, true});
        if (answer != PromptAnswer::Yes) {
            view.startTimer();
            return false;
        }
    }
    if (services.channel.linkOpen) {
        program_.exchange.SendStop();
    }
    program_.flags.closing = true;
    const bool updateWaiting = program_.hooks.updateWaiting && program_.hooks.updateWaiting();
    if (!updateWaiting) {
        removeFile(installFile(kInstallerName));
    }
    storeLanguage(services.registry, program_.localisation.LanguageIndex);
    services.instanceLock.release();
    if (updateWaiting) {
        services.shell.open(installFile(kInstallerName));
    }
    return true;
}

void MainWindowLogic::ResetDisplay() {
    TextTables& tables = program_.localisation.tables;
    MainWindowView& view = program_.services.view;
    TextTables::markApplied(tables.MainTexts);
    program_.pages.live.clearValueTexts();

    view.setCaption(text(MainText::Title));
    const bool session = program_.records.sessionActive;
    view.setText(ControlId::Connect, text(session ? MainText::Disconnect : MainText::Connect));
    for (const auto& [control, entry] : kControlTexts) {
        view.setText(control, text(entry));
    }
    if (!session) {
        view.setText(ControlId::DtcValue, text(MainText::NoValue));
        view.setText(ControlId::PartNumberValue, text(MainText::NoValue));
    }
    std::string zeroTime = kZeroTime;
    zeroTime += text(MainText::SecondsSuffix);
    view.setText(ControlId::TimeLabel, text(MainText::TimePrefix) + zeroTime);
    view.setText(ControlId::SecondTimeLabel, zeroTime);
    view.resetTrackbar();

    std::vector<std::string> names;
    for (int tab = 0; tab < kTabCount; ++tab) {
        names.push_back(text(MainText::FirstPageName + static_cast<std::size_t>(tab)));
    }
    view.setTabs(names);
    program_.flags.shownRecordedPage = 100;
    view.repaint();
    program_.records.CurrentPage = SessionRecords::kRepaintPending;
}

void MainWindowLogic::onConnect() {
    ProgramServices& services = program_.services;
    MainWindowView& view = services.view;
    SessionRecords& records = program_.records;
    services.channel.sendReport[0] = 0;
    records.pollFailures.fill(0);
    if (records.sessionActive) {
        program_.exchange.EndEcuSession();
        return;
    }
    view.setEnabled(ControlId::Connect, false);
    records.statusFaultText.clear();
    program_.flags.shownRecordedPage = 100;  // the fault page is drawn anew

    const MainWindowHooks& hooks = program_.hooks;
    bool start = true;
    if (hooks.tempRecordingOpen && hooks.tempRecordingOpen()) {
        start = view.ask({text(MainText::ContinueUnsaved), text(MainText::AttentionCaption),
                          PromptButtons::YesNo, PromptIcon::Warning, true}) == PromptAnswer::Yes;
        if (start && hooks.closeTempRecording) {
            hooks.closeTempRecording();
        }
    }
    if (start) {
        view.setEnabled(ControlId::SaveAs, false);
        program_.exchange.StartEcuSession();
        if (records.sessionActive) {
            view.setText(ControlId::Connect, text(MainText::Disconnect));
        }
    }
    view.setEnabled(ControlId::Connect, true);
}

void MainWindowLogic::onErrorClear() {
    program_.exchange.texts = {text(MainText::ClearQuestion), text(MainText::AttentionCaption)};
    program_.exchange.ClearFaultCodes();
}

void MainWindowLogic::showHelp(std::uint16_t topic) {
    std::uint16_t& shownTopic = program_.pages.HelpTopic;
    shownTopic = topic;
    if (program_.hooks.showHelp) {
        program_.hooks.showHelp(topic);
    }
    shownTopic = 0;
}

void MainWindowLogic::onInfo() { showHelp(kInfoTopic); }

void MainWindowLogic::onHelp() {
    // While a repaint is pending the page is the one the selected tab shows.
    int page = program_.records.CurrentPage;
    if (page >= tab_pages::kPageCount) {
        page = tab_pages::pageForTab(program_.services.view.selectedTab(),
                                     program_.flags.faultPageMode);
    }
    showHelp(static_cast<std::uint16_t>(std::max(page, 0) + 1));
}

void MainWindowLogic::onModels() {
    if (program_.hooks.showModels) {
        program_.hooks.showModels();
    }
    program_.records.CurrentPage = SessionRecords::kRepaintPending;
}

void MainWindowLogic::onFaq() {
    MainWindowView& view = program_.services.view;
    view.stopTimer();
    program_.services.shell.open(installFile(faqDocument(program_.localisation.LanguageIndex)));
    view.startTimer();
}

void MainWindowLogic::onSettings() {
    MainWindowView& view = program_.services.view;
    view.stopTimer();
    if (program_.hooks.runSettingsDialog) {
        program_.hooks.runSettingsDialog();
    }
    storeSettingsRecord(program_.services.registry, program_.stored.settings);
    program_.localisation.LoadLanguage(program_.stored.settings,
                                       program_.records.identity.MarineMode);
    ResetDisplay();
    program_.records.identifyNeeded = true;
    view.startTimer();
}

void MainWindowLogic::onGraph() {
    if (program_.hooks.showGraph) {
        program_.hooks.showGraph();
    }
}

void MainWindowLogic::onPrint() {
    if (program_.hooks.print) {
        program_.hooks.print();
    }
}

void MainWindowLogic::onTabSelected(int tab) {
    // In playback the recording decides the page; the tab header alone moves.
    if (program_.records.PlaybackMode || tab < 0) {
        return;
    }
    const int page = tab_pages::pageForTab(tab, program_.flags.faultPageMode);
    program_.services.view.showPage(page);
    program_.records.CurrentPage = static_cast<std::uint16_t>(page);
}

void MainWindowLogic::showSelectedPage() {
    const SessionRecords& records = program_.records;
    const int tab = program_.services.view.selectedTab();
    if (records.PlaybackMode || records.CurrentPage == SessionRecords::kRepaintPending || tab < 0) {
        return;
    }
    if (records.CurrentPage != tab_pages::pageForTab(tab, program_.flags.faultPageMode)) {
        onTabSelected(tab);
    }
}

void MainWindowLogic::showHardwareId(const std::string& value) {
    program_.services.view.setText(ControlId::HardwareIdValue, value);
}

void MainWindowLogic::showHardwareSerial(const std::string& value) {
    program_.services.view.setText(ControlId::SerialValue, value);
}

void MainWindowLogic::showEcmPartNumber(const std::string& value) {
    program_.services.view.setText(ControlId::PartNumberValue, value);
}

void MainWindowLogic::removeThirdTab() {
    program_.services.view.removeTab(kThirdTab);
}

void MainWindowLogic::applyLanguageTexts() {
    program_.localisation.LoadLanguage(program_.stored.settings,
                                       program_.records.identity.MarineMode);
}

void MainWindowLogic::selectFaultTab() {
    program_.services.view.selectTab(kFaultTab);
}

void MainWindowLogic::enablePrint() {
    program_.services.view.setEnabled(ControlId::Print, true);
}

void MainWindowLogic::sessionReset() {
    MainWindowView& view = program_.services.view;
    const MainWindowHooks& hooks = program_.hooks;
    view.setEnabled(ControlId::Open, true);
    view.setEnabled(ControlId::ErrorClear, false);
    const std::uint32_t recorded = hooks.recordCount ? hooks.recordCount() : 0;
    view.setEnabled(ControlId::SaveAs, recorded > kRecordsWorthSaving);
    program_.flags.faultPageMode = 0;
    if (hooks.tempRecordingOpen && hooks.tempRecordingOpen() && hooks.closeTempRecording) {
        hooks.closeTempRecording();
    }
    applyLanguageTexts();
    ResetDisplay();
    program_.flags.repaintTicks = 0;
}

PromptAnswer MainWindowLogic::ask(const PromptRequest& request) {
    return program_.services.view.ask(request);
}

}  // namespace corsel
