#include <iostream>

#include "app/CCorselDiagnosticSystemApp.h"
#include "app/CommandLine.h"

int main(int argc, char* argv[]) {
    // Help and an unknown scenario are answered before Qt starts, so that they
    // work without a display. Other errors wait until Qt has taken its own
    // options (-platform, -style, ...) off the line.
    const corsel::CommandLine commandLine = corsel::CommandLine::parse(argc, argv);
    if (commandLine.help) {
        std::cout << corsel::commandLineUsage("corsel-diagnostic-system");
        return 0;
    }
    if (commandLine.error.empty() &&
        corsel::CCorselDiagnosticSystemApp::reportUnusable(commandLine)) {
        return 2;
    }
    corsel::CCorselDiagnosticSystemApp app(argc, argv);
    return app.run();
}
