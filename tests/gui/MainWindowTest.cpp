#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>

#include "app/CCorselDiagnosticSystemDlg.h"
#include "app/CDlgSettings.h"
#include "app/CommandLine.h"
#include "app/Registry.h"
#include "link/LinkChannel.h"
#include "link/ModuleLink.h"
#include "platform/qt/QtPrompter.h"
#include "sim/EcmScenario.h"
#include "sim/SimulatedEcm.h"
#include "sim/SimulatedHidBackend.h"
#include "support/FakeServices.h"
#include "support/MemoryRegistryStore.h"
#include "support/RecordingPrompter.h"
#include "WindowRig.h"

namespace corsel {

namespace {

using testing::WindowRig;
using testing::whenModalShows;

const std::string kKey = CRegistry::kProgramKey;

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void opensWithEveryControlAndTheTextsOfTheLanguage();
    void marksASimulatedModuleOnlyWithSimulate();
    void buttonsReachTheSessionLoop();
    void escapeEndsTheProgramThroughTheExitSequence();
    void settingsButtonStoresAndAppliesTheChoices();
    void settingsDialogRejectsAPeriodOutOfRange();
    void promptsWithTheDefaultCaptionAndGivesTheAnswer_data();
    void promptsWithTheDefaultCaptionAndGivesTheAnswer();
};

void MainWindowTest::opensWithEveryControlAndTheTextsOfTheLanguage() {
    WindowRig rig(false);
    rig.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(rig.window.get()));
    QCOMPARE(rig.window->windowTitle(),
             QStringLiteral("Tarquell for Honda motorcycles and marine engines V2.0.5.3"));
    const std::pair<ControlId, const char*> texts[] = {
        {ControlId::Open, "Open..."},          {ControlId::Connect, "Connect"},
        {ControlId::SaveAs, "Save As..."},     {ControlId::ErrorClear, "Clear fault codes"},
        {ControlId::Settings, "Settings"},     {ControlId::Graph, "Graph view"},
        {ControlId::Info, "About"},            {ControlId::Help, "Help"},
        {ControlId::Models, "Models"},         {ControlId::Faq, "FAQ"},
        {ControlId::Print, "Print"},           {ControlId::DtcLabel, "Number of fault codes:"},
        {ControlId::HardwareIdLabel, "Hardware ID:"}, {ControlId::SerialLabel, "Hardware SN:"},
        {ControlId::PartNumberLabel, "ECM ID:"},      {ControlId::TimeLabel, "Time: 0.00 sec"}};
    for (const auto& [id, text] : texts) {
        QCOMPARE(QString::fromStdString(rig.window->text(id)), QString::fromUtf8(text));
        QWidget* control = rig.window->control(id);
        QVERIFY(rig.window->rect().contains(control->geometry()));
    }
    const QTabBar* tabs = rig.window->tabBar();
    QCOMPARE(tabs->count(), 3);
    QCOMPARE(tabs->tabText(2), QStringLiteral("Engine data at fault"));
    QVERIFY(!rig.button(ControlId::Connect)->isEnabled());
    QVERIFY(!rig.button(ControlId::Print)->isEnabled());
    QVERIFY(rig.window->timerRunning());
    // White texts on black, the page included.
    const QImage picture = rig.window->grab().toImage();
    const QRect page = rig.window->control(ControlId::Tabs)->geometry();
    QCOMPARE(picture.pixelColor(page.bottomLeft() + QPoint(4, -4)), QColor(Qt::black));
    QCOMPARE(picture.pixelColor(2, picture.height() / 2), QColor(Qt::black));
}

void MainWindowTest::marksASimulatedModuleOnlyWithSimulate() {
    WindowRig real(false, "standard", false);
    QVERIFY(real.window->findChild<QLabel*>(QStringLiteral("simulatedModuleLabel")) == nullptr);

    WindowRig simulated(false);
    simulated.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(simulated.window.get()));
    const auto* label =
        simulated.window->findChild<QLabel*>(QStringLiteral("simulatedModuleLabel"));
    QVERIFY(label != nullptr);
    QVERIFY(label->isVisible());
    QCOMPARE(label->text(), QStringLiteral("Simulated module"));
    QVERIFY(simulated.window->rect().contains(label->geometry()));
}

void MainWindowTest::buttonsReachTheSessionLoop() {
    WindowRig rig(true);
    rig.window->show();
    QTRY_VERIFY_WITH_TIMEOUT(rig.button(ControlId::Connect)->isEnabled(), 15000);
    QCOMPARE(rig.window->text(ControlId::HardwareIdValue), std::string("V2.07"));

    rig.button(ControlId::Connect)->click();
    QVERIFY(rig.program().records.sessionActive);
    QCOMPARE(rig.button(ControlId::Connect)->text(), QStringLiteral("Disconnect"));
    QTRY_VERIFY_WITH_TIMEOUT(rig.program().records.PollStep == 6, 5000);
    QVERIFY(!rig.button(ControlId::Settings)->isEnabled());

    rig.button(ControlId::Connect)->click();
    QVERIFY(!rig.program().records.sessionActive);
    QCOMPARE(rig.button(ControlId::Connect)->text(), QStringLiteral("Connect"));

    rig.button(ControlId::Faq)->click();
    QCOMPARE(rig.shell.opened, std::vector<std::string>{"FAQ_Tarquell-Honda.pdf"});
    QVERIFY(rig.window->timerRunning());
}

void MainWindowTest::escapeEndsTheProgramThroughTheExitSequence() {
    WindowRig rig(false);
    rig.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(rig.window.get()));
    rig.program().localisation.LanguageIndex = 2;
    QTest::keyClick(rig.window.get(), Qt::Key_Escape);
    QVERIFY(!rig.window->isVisible());
    QCOMPARE(rig.registry.value(RegistryHive::LocalMachine, kKey, "Language2"),
             std::optional<std::string>("\x03"));
    QVERIFY(rig.program().flags.closing);
}

void MainWindowTest::settingsButtonStoresAndAppliesTheChoices() {
    WindowRig rig(false);
    rig.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(rig.window.get()));
    bool timerStopped = false;
    whenModalShows<CDlgSettings>(this, [&](CDlgSettings& dialog) {
        timerStopped = !rig.window->timerRunning();
        QCOMPARE(dialog.unitList(SettingsRecord::SpeedUnit)->currentText(), QStringLiteral("Km/h"));
        QCOMPARE(dialog.periodEdit()->text(), QStringLiteral("5"));
        dialog.unitList(SettingsRecord::SpeedUnit)->setCurrentIndex(1);
        emit dialog.unitList(SettingsRecord::SpeedUnit)->activated(1);
        dialog.languageList()->setCurrentIndex(8);
        emit dialog.languageList()->activated(8);
        dialog.closeButton()->click();
    });
    rig.button(ControlId::Settings)->click();
    QVERIFY(timerStopped);
    QVERIFY(rig.window->timerRunning());
    const auto stored = rig.registry.value(RegistryHive::LocalMachine, kKey, "Settings");
    QVERIFY(stored && stored->size() == 10);
    QCOMPARE(stored->front(), '\x02');
    QCOMPARE(rig.program().localisation.FontCharset, 204);
    QVERIFY(rig.button(ControlId::Connect)->text() != QStringLiteral("Connect"));
    QCOMPARE(QString::fromStdString(rig.program().localisation.tables.PageTexts[111]),
             QStringLiteral("MPH"));
    // The longer Russian texts fit their buttons.
    for (QPushButton* button : rig.window->findChildren<QPushButton*>()) {
        const int needed = QFontMetrics(button->font()).horizontalAdvance(button->text());
        QTRY_VERIFY2(button->width() > needed, qPrintable(button->text()));
    }
}

void MainWindowTest::settingsDialogRejectsAPeriodOutOfRange() {
    Localisation localisation;
    SettingsRecord settings = SettingsRecord::defaults();
    localisation.LoadLanguage(settings, false);
    testing::RecordingPrompter prompter;
    CDlgSettings dialog(localisation, settings, 1.0, prompter);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QTRY_COMPARE(dialog.closeButton()->text(), QStringLiteral("Close"));

    dialog.periodEdit()->setFocus();
    dialog.periodEdit()->setText(QStringLiteral("150"));
    dialog.closeButton()->setFocus();
    QTRY_COMPARE(prompter.shown().size(), std::size_t{1});
    QCOMPARE(QString::fromStdString(prompter.shown()[0].text),
             QStringLiteral("Please enter an integer between 0 and 100."));
    QCOMPARE(int(settings[SettingsRecord::HighlightPeriod]), 5);
    QTRY_VERIFY(dialog.periodEdit()->hasFocus());

    // Closing with the wrong period keeps the dialog open; a good one closes it.
    dialog.done(QDialog::Accepted);
    QVERIFY(dialog.isVisible());
    dialog.periodEdit()->setText(QStringLiteral("12"));
    dialog.done(QDialog::Accepted);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(int(settings[SettingsRecord::HighlightPeriod]), 12);
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
    whenModalShows<QMessageBox>(this, [&](QMessageBox& box) {
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
