#include <iostream>

#include "app/CCorselDiagnosticSystemApp.h"
#include "app/CommandLine.h"

int main(int argc, char* argv[]) {
    // Help is answered before Qt starts, so that it works without a display.
    if (corsel::CommandLine::parse(argc, argv).help) {
        std::cout << corsel::commandLineUsage("corsel-diagnostic-system");
        return 0;
    }
    corsel::CCorselDiagnosticSystemApp app(argc, argv);
    return app.run();
}
