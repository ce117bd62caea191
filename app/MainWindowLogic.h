#pragma once

#include <cstdint>
#include <string>

#include "link/ExchangeView.h"

namespace corsel {

class Program;

// The main window's behaviour without its widgets: start-up and exit, the
// display reset, the command handlers, and what the exchanges with the module
// show. The window forwards its buttons here; tests call the same handlers.
class MainWindowLogic final : public ExchangeView {
public:
    static constexpr const char* kInstanceLockName = "Veltrane Orvintel";
    static constexpr const char* kTempRecordingName = "Honda_Temp.HDT";
    static constexpr const char* kInstallerName = "Setup_Tarquell-Honda.exe";
    static constexpr const char* kVersionFileName = "Honda.txt";
    static constexpr int kInfoTopic = 100;

    explicit MainWindowLogic(Program& program);

    // The window's initialisation; `dotsPerInch` is the screen's horizontal
    // logical resolution.
    void initialise(int dotsPerInch);
    // The close box (or Escape). False when the user chose to stay.
    bool requestExit();

    void ResetDisplay();

    void onConnect();
    void onErrorClear();
    void onInfo();
    void onHelp();
    void onModels();
    void onFaq();
    void onSettings();
    void onGraph();
    void onPrint();
    // The user selected a tab: its page is shown (outside playback).
    void onTabSelected(int tab);
    // Shows the page that the selected tab stands for, when another one is
    // shown: after a repaint, or when fault codes came or went.
    void showSelectedPage();

    // The FAQ document for a language index.
    static std::string faqDocument(int languageIndex);
    // The display scale for a screen resolution.
    static double displayScaleFor(int dotsPerInch);
    // The working folder when a file can be created there, else the system's
    // temporary folder.
    static std::string chooseTemporaryFolder(const std::string& workingFolder,
                                             const std::string& systemTempFolder);
    const std::string& text(std::size_t entry) const;

    // ExchangeView
    void showHardwareId(const std::string& text) override;
    void showHardwareSerial(const std::string& text) override;
    void showEcmPartNumber(const std::string& text) override;
    void removeThirdTab() override;
    void applyLanguageTexts() override;
    void selectFaultTab() override;
    void enablePrint() override;
    void sessionReset() override;
    PromptAnswer ask(const PromptRequest& request) override;

private:
    void showHelp(std::uint16_t topic);
    void removeUpdateLeftovers();
    std::string installFile(const std::string& name) const;

    Program& program_;
};

}  // namespace corsel
