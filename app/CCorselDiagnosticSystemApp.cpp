#include "app/CCorselDiagnosticSystemApp.h"

#include <chrono>
#include <iostream>
#include <string>

#include "app/CCorselDiagnosticSystemDlg.h"
#include "platform/HidapiBackend.h"
#include "sim/SimulatedHidBackend.h"
#include "sim/StandardLayout.h"

namespace corsel {

namespace {

constexpr const char* kProgramName = "corsel-diagnostic-system";
constexpr std::chrono::milliseconds kSimulatedLatency{25};

}  // namespace

CCorselDiagnosticSystemApp::CCorselDiagnosticSystemApp(int& argc, char** argv)
    : QApplication(argc, argv), commandLine_(CommandLine::parse(argc, argv)) {}

CCorselDiagnosticSystemApp::~CCorselDiagnosticSystemApp() = default;

std::unique_ptr<HidBackend> CCorselDiagnosticSystemApp::makeBackend() {
    if (!commandLine_.simulate) {
        return std::make_unique<HidapiBackend>();
    }
    if (commandLine_.scenario != CommandLine::kDefaultScenario) {
        return nullptr;
    }
    auto bus = std::make_unique<SimulatedHidBackend>(clock_);
    addStandardLayout(*bus, kSimulatedLatency);
    return bus;
}

int CCorselDiagnosticSystemApp::run() {
    if (commandLine_.error.empty()) {
        backend_ = makeBackend();
        if (!backend_) {
            commandLine_.error = "no simulation scenario is called '" + commandLine_.scenario +
                                 "' (there is \"" + std::string(CommandLine::kDefaultScenario) +
                                 "\")";
        }
    }
    if (!commandLine_.error.empty()) {
        std::cerr << kProgramName << ": " << commandLine_.error << "\nTry '" << kProgramName
                  << " --help'.\n";
        return 2;
    }
    link_ = std::make_unique<ModuleLink>(*backend_, prompter_);
    channel_ = std::make_unique<LinkChannel>(*link_, clock_);

    CCorselDiagnosticSystemDlg window(commandLine_);
    prompter_.setMainWindow(&window);
    window.exec();
    return 0;
}

}  // namespace corsel
