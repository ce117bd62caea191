#include <QAbstractButton>
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>

#include "app/CCorselDiagnosticSystemDlg.h"
#include "app/CommandLine.h"
#include "platform/qt/QtPrompter.h"

namespace corsel {

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void opensAsAnEmptyBlackWindowWithItsTitle();
    void marksASimulatedModuleOnlyWithSimulate();
    void promptsWithTheDefaultCaptionAndGivesTheAnswer_data();
    void promptsWithTheDefaultCaptionAndGivesTheAnswer();

private:
    // Acts on the next message box once it runs. A box that never comes would
    // leave the test waiting: after a second every window is closed instead.
    void whenBoxShows(std::function<void(QMessageBox&)> act);
};

void MainWindowTest::opensAsAnEmptyBlackWindowWithItsTitle() {
    CCorselDiagnosticSystemDlg window(CommandLine::parse({}));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.windowTitle(), QStringLiteral("Tarquell for Honda"));
    QVERIFY(window.width() >= 1000 && window.height() >= 530);
    const QImage picture = window.grab().toImage();
    QCOMPARE(picture.pixelColor(picture.width() / 2, picture.height() / 2), QColor(Qt::black));
}

void MainWindowTest::marksASimulatedModuleOnlyWithSimulate() {
    CCorselDiagnosticSystemDlg real(CommandLine::parse({}));
    real.show();
    QVERIFY(QTest::qWaitForWindowExposed(&real));
    QVERIFY(real.findChildren<QLabel*>().isEmpty());

    CCorselDiagnosticSystemDlg simulated(CommandLine::parse({"--simulate"}));
    simulated.show();
    QVERIFY(QTest::qWaitForWindowExposed(&simulated));
    const auto* label = simulated.findChild<QLabel*>(QStringLiteral("simulatedModuleLabel"));
    QVERIFY(label != nullptr);
    QVERIFY(label->isVisible());
    QCOMPARE(label->text(), QStringLiteral("Simulated module"));
    // Readable on the black background.
    QCOMPARE(label->palette().color(label->foregroundRole()), QColor(Qt::white));
    QVERIFY(simulated.rect().contains(label->geometry()));
}

void MainWindowTest::whenBoxShows(std::function<void(QMessageBox&)> act) {
    auto* poll = new QTimer(this);
    auto waited = std::make_shared<int>(0);
    connect(poll, &QTimer::timeout, this, [poll, waited, act] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            poll->deleteLater();
            poll->stop();
            act(*box);
        } else if (++*waited > 100) {
            poll->deleteLater();
            poll->stop();
            QApplication::closeAllWindows();
        }
    });
    poll->start(10);
}

void MainWindowTest::promptsWithTheDefaultCaptionAndGivesTheAnswer_data() {
    QTest::addColumn<int>("buttons");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("press");  // a button, or 0 for the Escape key
    QTest::addColumn<QString>("expectedTitle");
    QTest::addColumn<int>("expectedButtons");
    QTest::addColumn<int>("expectedAnswer");

    QTest::newRow("no caption, yes/no, No")
        << int(PromptButtons::YesNo) << QString() << int(QMessageBox::No) << "Error"
        << int(QMessageBox::Yes | QMessageBox::No) << int(PromptAnswer::No);
    QTest::newRow("caption, yes/no/cancel, Yes")
        << int(PromptButtons::YesNoCancel) << "Connect" << int(QMessageBox::Yes) << "Connect"
        << int(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel) << int(PromptAnswer::Yes);
    QTest::newRow("ok/cancel, Escape")
        << int(PromptButtons::OkCancel) << "Save" << 0 << "Save"
        << int(QMessageBox::Ok | QMessageBox::Cancel) << int(PromptAnswer::Cancel);
}

void MainWindowTest::promptsWithTheDefaultCaptionAndGivesTheAnswer() {
    QFETCH(int, buttons);
    QFETCH(QString, caption);
    QFETCH(int, press);
    QFETCH(QString, expectedTitle);
    QFETCH(int, expectedButtons);
    QFETCH(int, expectedAnswer);

    QString title;
    int shownButtons = 0;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    whenBoxShows([&](QMessageBox& box) {
        title = box.windowTitle();
        shownButtons = int(box.standardButtons());
        icon = box.icon();
        if (press == 0) {
            QTest::keyClick(&box, Qt::Key_Escape);
        } else {
            box.button(QMessageBox::StandardButton(press))->click();
        }
    });

    QtPrompter prompter;
    PromptRequest request;
    request.text = "Module not found";
    request.caption = caption.toStdString();
    request.buttons = PromptButtons(buttons);
    request.icon = PromptIcon::Warning;
    const PromptAnswer answer = prompter.ask(request);

    QCOMPARE(title, expectedTitle);
    QCOMPARE(shownButtons, expectedButtons);
    QCOMPARE(icon, QMessageBox::Warning);
    QCOMPARE(int(answer), expectedAnswer);
}

}  // namespace corsel

QTEST_MAIN(corsel::MainWindowTest)
#include "MainWindowTest.moc"
