#include <QCursor>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabBar>
#include <QTreeWidget>
#include <QtTest>

#include "WindowRig.h"
#include "app/CDlgDialog1.h"
#include "app/CDlgDialog10.h"
#include "app/CDlgDialog6.h"
#include "app/CDlgDialog9.h"
#include "app/CDlgEmpty.h"
#include "pages/PageLayout.h"
#include "pages/TabPages.h"
#include "widgets/HelpTip.h"
#include "widgets/ValueLabel.h"

namespace corsel {

namespace {

using testing::WindowRig;
namespace layout = page_layout;

CDlgDialog1* engineDataPage(WindowRig& rig, int page = tab_pages::kEngineData) {
    return qobject_cast<CDlgDialog1*>(rig.window->page(page));
}

QString text(CDlgDialog1* page, int controlId) {
    return page->label(controlId)->text();
}

void connectSession(WindowRig& rig) {
    rig.window->show();
    QTRY_VERIFY_WITH_TIMEOUT(rig.button(ControlId::Connect)->isEnabled(), 15000);
    rig.button(ControlId::Connect)->click();
    QVERIFY(rig.program().records.sessionActive);
}

const QRegularExpression kNumber(QStringLiteral("^-?\\d+(\\.\\d+)?$"));

}  // namespace

class PagesWindowTest : public QObject {
    Q_OBJECT

private slots:
    void engineDataPageShowsTheSessionValues();
    void engineDataRowsFitThePageWithoutOverlapping();
    void tabsShowTheirPages();
    void faultCodesAreListedAndTheThirdTabShowsTheFreezeFrame();
    void helpAndModelsOpenTheirWindows();
    void helpTipAppearsAfterRestAndHidesOnMove();
};

void PagesWindowTest::engineDataPageShowsTheSessionValues() {
    WindowRig rig(true);
    CDlgDialog1* page = engineDataPage(rig);
    rig.window->show();
    QTRY_COMPARE(text(page, layout::valueControlId(0)), QStringLiteral("---"));
    connectSession(rig);
    QTRY_VERIFY_WITH_TIMEOUT(kNumber.match(text(page, layout::valueControlId(0))).hasMatch(), 5000);
    // Every row starts highlighted after the display reset.
    QCOMPARE(page->label(layout::valueControlId(0))->colour(), QColor(255, 0, 0));
    QCOMPARE(text(page, layout::nameControlId(6)), QStringLiteral("Battery voltage"));
    QCOMPARE(text(page, layout::unitControlId(0)), QStringLiteral("rpm"));
    QCOMPARE(text(page, layout::unitControlId(6)), QStringLiteral("V"));
    QTRY_VERIFY(kNumber.match(text(page, layout::valueControlId(6))).hasMatch());
    QCOMPARE(rig.window->shownPage(), tab_pages::kEngineData);
}

void PagesWindowTest::engineDataRowsFitThePageWithoutOverlapping() {
    WindowRig rig(false);
    rig.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(rig.window.get()));
    CDlgDialog1* page = engineDataPage(rig);
    for (std::size_t row = 0; row < layout::kRowCount; ++row) {
        const QRect name = page->label(layout::nameControlId(row))->geometry();
        const QRect value = page->label(layout::valueControlId(row))->geometry();
        const QRect unit = page->label(layout::unitControlId(row))->geometry();
        QVERIFY2(page->rect().contains(unit) && page->rect().contains(name),
                 qPrintable(QStringLiteral("row %1").arg(row)));
        QVERIFY(name.right() < value.left() && value.right() < unit.left());
        // Tall enough for a line of the page's font.
        QVERIFY(value.height() >= QFontMetrics(page->font()).ascent());
    }
}

void PagesWindowTest::tabsShowTheirPages() {
    WindowRig rig(false);
    rig.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(rig.window.get()));
    QCOMPARE(rig.window->shownPage(), tab_pages::kEngineData);

    rig.window->selectTab(2);
    QCOMPARE(rig.window->shownPage(), tab_pages::kNoFault);
    QCOMPARE(int(rig.program().records.CurrentPage), tab_pages::kNoFault);
    const auto* noFault = qobject_cast<CDlgEmpty*>(rig.window->page(tab_pages::kNoFault));
    QTRY_COMPARE(noFault->textLabel()->text(), QStringLiteral("No current fault code."));
    QVERIFY(noFault->textLabel()->isVisible());

    QTabBar* tabs = rig.window->tabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
    QCOMPARE(rig.window->shownPage(), tab_pages::kFaultList);
    QCOMPARE(int(rig.program().records.CurrentPage), tab_pages::kFaultList);

    // A display reset rebuilds the tabs and goes back to the engine data.
    rig.program().window.ResetDisplay();
    QCOMPARE(tabs->count(), 3);
    QCOMPARE(tabs->currentIndex(), 0);
    QCOMPARE(rig.window->shownPage(), tab_pages::kEngineData);
}

void PagesWindowTest::faultCodesAreListedAndTheThirdTabShowsTheFreezeFrame() {
    WindowRig rig(true, "faults");
    connectSession(rig);
    QTRY_COMPARE_WITH_TIMEOUT(int(rig.program().flags.faultPageMode), 2, 5000);

    rig.window->selectTab(1);
    const QTreeWidget* list = qobject_cast<CDlgDialog6*>(rig.window->page(1))->list();
    QTRY_COMPARE_WITH_TIMEOUT(list->topLevelItemCount(), 9, 5000);
    QCOMPARE(list->columnCount(), 3);
    QCOMPARE(list->headerItem()->text(1), QStringLiteral("Meaning of trouble:"));
    QCOMPARE(list->topLevelItem(0)->text(0), QStringLiteral("1-2"));
    QCOMPARE(list->topLevelItem(0)->text(2), QStringLiteral("Current"));
    QVERIFY(!list->topLevelItem(0)->text(1).isEmpty());
    QCOMPARE(list->topLevelItem(8)->text(2), QStringLiteral("Past"));
    // The columns were sized while the page was hidden: the meaning still
    // gets most of the width.
    QVERIFY(list->columnWidth(1) > list->viewport()->width() / 2);
    QVERIFY(list->columnWidth(0) > list->viewport()->width() / 8);

    rig.window->selectTab(2);
    QCOMPARE(rig.window->shownPage(), tab_pages::kEngineDataAtFault);
    CDlgDialog1* atFault = engineDataPage(rig, tab_pages::kEngineDataAtFault);
    QTRY_VERIFY_WITH_TIMEOUT(kNumber.match(text(atFault, layout::valueControlId(0))).hasMatch(),
                             5000);
}

void PagesWindowTest::helpAndModelsOpenTheirWindows() {
    WindowRig rig(false);
    rig.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(rig.window.get()));
    rig.window->selectTab(1);
    const TextTables& tables = rig.program().localisation.tables;

    QString title;
    QString body;
    testing::whenModalShows<CDlgDialog9>(this, [&](CDlgDialog9& help) {
        QTRY_VERIFY(!help.closeButton()->text().isEmpty());
        title = help.title()->text();
        body = help.body()->toPlainText();
        emit help.link()->linkActivated(QString::fromStdString(tables.AboutTexts[19]));
        help.closeButton()->click();
    });
    rig.button(ControlId::Help)->click();
    QCOMPARE(title.toStdString(), tables.AboutTexts[HelpWindowLogic::titleEntry(2)]);
    QVERIFY(!body.contains(QLatin1Char('\r')));
    QCOMPARE(rig.shell.opened, std::vector<std::string>{tables.AboutTexts[19]});
    QCOMPARE(int(rig.program().pages.HelpTopic), 0);

    QString modelsTitle;
    QString motorcycles;
    testing::whenModalShows<CDlgDialog10>(this, [&](CDlgDialog10& models) {
        modelsTitle = models.title()->text();
        motorcycles = models.motorcycleList()->toPlainText();
        models.closeButton()->click();
    });
    rig.button(ControlId::Models)->click();
    QCOMPARE(modelsTitle, QStringLiteral("Models"));
    QVERIFY(motorcycles.contains(QStringLiteral("CB500F")));
    QCOMPARE(int(rig.program().records.CurrentPage), 10);
}

void PagesWindowTest::helpTipAppearsAfterRestAndHidesOnMove() {
    WindowRig rig(false);
    rig.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(rig.window.get()));
    CDlgDialog1* page = engineDataPage(rig);
    const HelpTip* tip = page->helpTip();
    ValueLabel* battery = page->label(layout::nameControlId(6));

    QCursor::setPos(battery->mapToGlobal(battery->rect().center()));
    QTest::qWait(1000);
    QVERIFY(!tip->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(tip->isVisible(), 2000);
    QCOMPARE(tip->text(), QStringLiteral("Battery voltage, must be 12-15 V at idle speed"));
    QVERIFY(tip->width() <= HelpTip::kMaximumWidth);

    QCursor::setPos(battery->mapToGlobal(battery->rect().center() + QPoint(0, 30)));
    QTRY_VERIFY_WITH_TIMEOUT(!tip->isVisible(), 500);
    // A value has no help.
    ValueLabel* value = page->label(layout::valueControlId(6));
    QCursor::setPos(value->mapToGlobal(value->rect().center()));
    QTest::qWait(2000);
    QVERIFY(!tip->isVisible());
}

}  // namespace corsel

QTEST_MAIN(corsel::PagesWindowTest)
#include "PagesWindowTest.moc"
