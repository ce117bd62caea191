// Starts the main window against the simulated module, brings it to the
// states a technician meets and saves a picture of each:
//   corsel-screenshots OUTPUT_FOLDER
// Runs on any display; scripts/screenshots.sh runs it on a virtual one.
#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QPixmap>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <chrono>
#include <functional>
#include <iostream>
#include <memory>

#include "app/CCorselDiagnosticSystemDlg.h"
#include "app/CDlgDialog1.h"
#include "app/CDlgSettings.h"
#include "link/LinkChannel.h"
#include "link/ModuleLink.h"
#include "pages/PageLayout.h"
#include "platform/Clock.h"
#include "platform/qt/QtPrompter.h"
#include "platform/qt/QtRegistryStore.h"
#include "platform/qt/QtShell.h"
#include "sim/EcmScenario.h"
#include "sim/SimulatedEcm.h"
#include "sim/SimulatedHidBackend.h"
#include "sim/StandardLayout.h"
#include "widgets/HelpTip.h"
#include "widgets/ValueLabel.h"

namespace corsel {
namespace {

// Every copy of this tool counts as the first one, whatever else runs.
class FirstCopy final : public InstanceLock {
public:
    bool acquire(const std::string&) override { return true; }
    void release() override {}
};

// Answers every message with its first button, so that nothing waits for a hand.
class AnsweringPrompter final : public Prompter {
public:
    PromptAnswer ask(const PromptRequest& request) override {
        return request.buttons == PromptButtons::YesNo ? PromptAnswer::Yes : PromptAnswer::Ok;
    }
};

// Runs the event loop until `done` or the time is up.
bool waitFor(const std::function<bool()>& done, int milliseconds) {
    QElapsedTimer elapsed;
    elapsed.start();
    while (!done() && elapsed.elapsed() < milliseconds) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return done();
}

void pause(int milliseconds) {
    waitFor([] { return false; }, milliseconds);
}

bool savePicture(const QPixmap& picture, const QString& folder, const QString& name) {
    const QString path = QDir(folder).filePath(name + QStringLiteral(".png"));
    const bool saved = !picture.isNull() && picture.save(path);
    std::cout << (saved ? "wrote " : "could not write ") << path.toStdString() << "\n";
    return saved;
}

bool save(QWidget& widget, const QString& folder, const QString& name) {
    return savePicture(widget.grab(), folder, name);
}

// A picture of the screen around the window, for what lies outside it (the
// help tip is a window of its own).
bool saveScreenArea(const QRect& area, const QString& folder, const QString& name) {
    QScreen* screen = QGuiApplication::primaryScreen();
    return savePicture(
        screen ? screen->grabWindow(0, area.x(), area.y(), area.width(), area.height()) : QPixmap(),
        folder, name);
}

// Opens a modal window with `open` and saves a picture of it once it shows.
bool saveModal(const std::function<void()>& open, const QString& folder, const QString& name) {
    bool saved = false;
    QTimer::singleShot(0, [&] {
        waitFor([] { return QApplication::activeModalWidget() != nullptr; }, 3000);
        if (QWidget* window = QApplication::activeModalWidget()) {
            pause(400);
            saved = save(*window, folder, name);
            window->close();
        }
    });
    open();
    return saved;
}

// One run of the program with the given bus.
struct Run {
    explicit Run(bool withModule, const std::string& scenario = "standard") : bus(clock) {
        if (withModule) {
            const std::size_t slot = addStandardLayout(bus, std::chrono::milliseconds(25));
            bus.module(slot).attachEcm(
                std::make_shared<SimulatedEcm>(clock, *findEcmScenario(scenario)));
        } else {
            bus.addPlainDevice({0x046D, 0xC077});
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
        commandLine.simulate = true;
        window = std::make_unique<CCorselDiagnosticSystemDlg>(commandLine, platform, prompter);
        window->show();
    }
    ~Run() {
        window.reset();
        channel.joinThreads();
    }

    SystemClock clock;
    SimulatedHidBackend bus;
    AnsweringPrompter prompter;
    ModuleLink link{bus, prompter};
    LinkChannel channel{link, clock};
    QTemporaryDir settingsFolder;
    QtRegistryStore registry{settingsFolder.filePath(QStringLiteral("settings.ini"))};
    FirstCopy lock;
    QtShell shell;
    std::unique_ptr<CCorselDiagnosticSystemDlg> window;
};

int takeScreenshots(const QString& folder) {
    QDir().mkpath(folder);
    bool ok = true;
    {
        Run run(false);
        pause(800);
        ok &= save(*run.window, folder, QStringLiteral("main-no-module"));
    }
    {
        Run run(true);
        ok &= waitFor([&] { return run.window->isEnabled(ControlId::Connect); }, 10000);
        ok &= save(*run.window, folder, QStringLiteral("main-linked"));

        run.window->program().window.onConnect();
        pause(2500);
        ok &= save(*run.window, folder, QStringLiteral("main-session"));

        Program& session = run.window->program();
        ok &=
            saveModal([&] { session.window.onHelp(); }, folder, QStringLiteral("help-engine-data"));
        ok &= saveModal([&] { session.window.onInfo(); }, folder, QStringLiteral("help-about"));
        ok &= saveModal([&] { session.window.onModels(); }, folder, QStringLiteral("model-list"));

        // The help tip: the mouse rests on the name "Battery voltage".
        auto* page = qobject_cast<CDlgDialog1*>(run.window->page(0));
        ValueLabel* battery = page->label(page_layout::nameControlId(6));
        const QPoint spot = battery->rect().center() - QPoint(battery->width() / 4, 0);
        QCursor::setPos(battery->mapToGlobal(spot));
        QMouseEvent move(QEvent::MouseMove, battery->mapTo(page, spot), battery->mapToGlobal(spot),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(page, &move);
        pause(1600);
        ok &= page->helpTip()->isVisible();
        const QRect area = run.window->frameGeometry().united(page->helpTip()->geometry());
        ok &= saveScreenArea(area, folder, QStringLiteral("main-session-help-tip"));
        QCursor::setPos(run.window->mapToGlobal(QPoint(-20, -20)));

        run.window->program().window.onConnect();
        waitFor([&] { return run.window->isEnabled(ControlId::Connect); }, 10000);
        Program& program = run.window->program();
        CDlgSettings settings(program.localisation, program.stored.settings, program.displayScale,
                              run.prompter, run.window.get());
        settings.show();
        pause(300);
        ok &= save(settings, folder, QStringLiteral("settings-dialog"));
        settings.close();

        // The same window in Russian, as the settings dialog leaves it.
        program.localisation.LanguageIndex = 8;
        program.window.ResetDisplay();
        program.localisation.LoadLanguage(program.stored.settings, false);
        pause(300);
        ok &= save(*run.window, folder, QStringLiteral("main-russian"));
        program.localisation.LanguageIndex = 1;
        program.localisation.LoadLanguage(program.stored.settings, false);
    }
    {
        Run run(true, "marine");
        waitFor([&] { return run.window->isEnabled(ControlId::Connect); }, 10000);
        run.window->program().window.onConnect();
        pause(2500);
        ok &= save(*run.window, folder, QStringLiteral("main-session-marine"));
    }
    {
        Run run(true, "faults");
        waitFor([&] { return run.window->isEnabled(ControlId::Connect); }, 10000);
        run.window->program().window.onConnect();
        pause(2500);
        ok &= save(*run.window, folder, QStringLiteral("main-session-faults"));
        run.window->selectTab(1);
        pause(300);
        ok &= save(*run.window, folder, QStringLiteral("main-session-fault-list"));
        run.window->selectTab(2);
        pause(600);
        ok &= save(*run.window, folder, QStringLiteral("main-session-at-fault"));
    }
    return ok ? 0 : 1;
}

}  // namespace
}  // namespace corsel

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    if (argc != 2) {
        std::cerr << "usage: corsel-screenshots OUTPUT_FOLDER\n";
        return 2;
    }
    return corsel::takeScreenshots(QString::fromLocal8Bit(argv[1]));
}
