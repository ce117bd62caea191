#include "app/CCorselDiagnosticSystemApp.h"

#include <QDir>
#include <chrono>
#include <iostream>
#include <string>

#include "app/CCorselDiagnosticSystemDlg.h"
#include "platform/HidapiBackend.h"
#include "sim/EcmScenario.h"
#include "sim/SimulatedEcm.h"
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
    // run() has refused an unknown scenario before this.
    const auto scenario = findEcmScenario(commandLine_.scenario);
    auto bus = std::make_unique<SimulatedHidBackend>(clock_);
    const std::size_t slot = addStandardLayout(*bus, kSimulatedLatency);
    bus->module(slot).attachEcm(std::make_shared<SimulatedEcm>(clock_, *scenario));
    return bus;
}

bool CCorselDiagnosticSystemApp::reportUnusable(const CommandLine& commandLine) {
    std::string error = commandLine.error;
    if (error.empty() && commandLine.simulate && !findEcmScenario(commandLine.scenario)) {
        std::string names;
        for (const std::string& name : ecmScenarioNames()) {
            names += (names.empty() ? "" : ", ") + name;
        }
        error = "no simulation scenario is called '" + commandLine.scenario +
                "' (there are: " + names + ")";
    }
    if (error.empty()) {
        return false;
    }
    std::cerr << kProgramName << ": " << error << "\nTry '" << kProgramName << " --help'.\n";
    return true;
}

int CCorselDiagnosticSystemApp::run() {
    if (reportUnusable(commandLine_)) {
        return 2;
    }
    backend_ = makeBackend();
    link_ = std::make_unique<ModuleLink>(*backend_, prompter_);
    channel_ = std::make_unique<LinkChannel>(*link_, clock_);

    const ProgramPlatform platform{*link_,
                                   *channel_,
                                   clock_,
                                   registry_,
                                   instanceLock_,
                                   shell_,
                                   QDir::currentPath().toStdString(),
                                   QDir::tempPath().toStdString()};
    CCorselDiagnosticSystemDlg window(commandLine_, platform, prompter_);
    prompter_.setMainWindow(&window);
    window.exec();
    return 0;
}

}  // namespace corsel
