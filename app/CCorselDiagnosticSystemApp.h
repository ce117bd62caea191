#pragma once

#include <QApplication>
#include <memory>

#include "app/CommandLine.h"
#include "link/HidBackend.h"
#include "link/LinkChannel.h"
#include "link/ModuleLink.h"
#include "platform/Clock.h"
#include "platform/qt/QtInstanceLock.h"
#include "platform/qt/QtPrompter.h"
#include "platform/qt/QtRegistryStore.h"
#include "platform/qt/QtShell.h"

namespace corsel {

// The program: the command line, the core objects and the main window. The
// core objects live as long as the application and are torn down in reverse
// order of creation: the channel's threads before the link, the link (and its
// handles) before the backend.
class CCorselDiagnosticSystemApp : public QApplication {
    Q_OBJECT

public:
    // Qt takes its own options (-platform, -style, ...) off the arguments
    // before the rest is parsed.
    CCorselDiagnosticSystemApp(int& argc, char** argv);
    ~CCorselDiagnosticSystemApp() override;

    const CommandLine& commandLine() const { return commandLine_; }

    // Runs the main window until it is closed; returns the exit code. A
    // command line that can't be used is reported on the error output.
    // (--help is answered by main() before Qt starts.)
    int run();

    // Prints why the command line can't be used, if it can't; works before
    // Qt starts, so also without a display.
    static bool reportUnusable(const CommandLine& commandLine);

private:
    std::unique_ptr<HidBackend> makeBackend();

    CommandLine commandLine_;
    SystemClock clock_;
    std::unique_ptr<HidBackend> backend_;
    QtPrompter prompter_;
    QtRegistryStore registry_;
    QtInstanceLock instanceLock_;
    QtShell shell_;
    std::unique_ptr<ModuleLink> link_;
    std::unique_ptr<LinkChannel> channel_;
};

}  // namespace corsel
