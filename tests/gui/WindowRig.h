#pragma once

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>

#include "app/CCorselDiagnosticSystemDlg.h"
#include "app/CommandLine.h"
#include "link/LinkChannel.h"
#include "link/ModuleLink.h"
#include "platform/Clock.h"
#include "sim/EcmScenario.h"
#include "sim/SimulatedEcm.h"
#include "sim/SimulatedHidBackend.h"
#include "support/FakeServices.h"
#include "support/MemoryRegistryStore.h"
#include "support/RecordingPrompter.h"

namespace corsel::testing {

// The main window over the simulated module, with a settings store in memory.
struct WindowRig {
    explicit WindowRig(bool withModule, const std::string& scenario = "standard",
                       bool simulate = true) {
        bus.addPlainDevice({0x046D, 0xC077});
        if (withModule) {
            const std::size_t slot = bus.addModule();
            bus.module(slot).attachEcm(
                std::make_shared<SimulatedEcm>(clock, *findEcmScenario(scenario)));
        }
        const ProgramPlatform platform{link,
                                       channel,
                                       clock,
                                       registry,
                                       lock,
                                       shell,
                                       QDir::currentPath().toStdString(),
                                       QDir::tempPath().toStdString()};
        CommandLine commandLine;
        commandLine.simulate = simulate;
        window = std::make_unique<CCorselDiagnosticSystemDlg>(commandLine, platform, prompter);
    }
    ~WindowRig() {
        window.reset();
        channel.joinThreads();
    }
    QPushButton* button(ControlId id) { return qobject_cast<QPushButton*>(window->control(id)); }
    Program& program() { return window->program(); }

    SystemClock clock;
    SimulatedHidBackend bus{clock};
    RecordingPrompter prompter;
    ModuleLink link{bus, prompter};
    LinkChannel channel{link, clock};
    MemoryRegistryStore registry;
    FakeInstanceLock lock;
    FakeShell shell;
    std::unique_ptr<CCorselDiagnosticSystemDlg> window;
};

// Acts on the next modal window of the kind once it runs. One that never
// comes would leave the test waiting: after a second every window is closed.
template <typename Window>
void whenModalShows(QObject* owner, std::function<void(Window&)> act) {
    auto* poll = new QTimer(owner);
    auto waited = std::make_shared<int>(0);
    QObject::connect(poll, &QTimer::timeout, owner, [poll, waited, act] {
        if (auto* window = qobject_cast<Window*>(QApplication::activeModalWidget())) {
            poll->deleteLater();
            poll->stop();
            act(*window);
        } else if (++*waited > 100) {
            poll->deleteLater();
            poll->stop();
            QApplication::closeAllWindows();
        }
    });
    poll->start(10);
}

}  // namespace corsel::testing
