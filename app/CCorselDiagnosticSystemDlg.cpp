#include "app/CCorselDiagnosticSystemDlg.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QStackedWidget>
#include <QTabBar>
#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <utility>

#include "app/CDlgDialog1.h"
#include "app/CDlgDialog10.h"
#include "app/CDlgDialog6.h"
#include "app/CDlgDialog9.h"
#include "app/CDlgEmpty.h"
#include "app/CDlgSettings.h"
#include "pages/TabPages.h"
#include "platform/Prompter.h"
#include "widgets/DialogUnits.h"
#include "widgets/LogoPicture.h"
#include "widgets/SkinStyle.h"

namespace corsel {

namespace {

// The window's size in dialog units.
constexpr int kWidthUnits = 671;
constexpr int kHeightUnits = 351;
constexpr int kTabCount = 3;
constexpr double kSmallestPointSize = 6.5;
constexpr std::array<ControlId, 5> kSmallButtons{
    ControlId::Info, ControlId::Help, ControlId::Models, ControlId::Faq, ControlId::Print};
constexpr std::array<ControlId, 6> kMainButtons{ControlId::Open,     ControlId::Connect,
                                                ControlId::SaveAs,   ControlId::ErrorClear,
                                                ControlId::Settings, ControlId::Graph};

QString qt(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

CCorselDiagnosticSystemDlg::CCorselDiagnosticSystemDlg(const CommandLine& commandLine,
                                                       const ProgramPlatform& platform,
                                                       Prompter& prompter, QWidget* parent)
    : QDialog(parent), prompter_(prompter) {
    setObjectName(QStringLiteral("mainWindow"));
    setWindowFlag(Qt::WindowMinimizeButtonHint, true);
    timer_.setInterval(kSessionTimerMs);
    connect(&timer_, &QTimer::timeout, this, [this] { program_->loop.OnTimer(); });

    program_ = std::make_unique<Program>(ProgramServices(platform, *this), windowHooks());
    program_->flags.commandLineFile = commandLine.recordingFile;
    createControls(commandLine.simulate);

    const QScreen* screen = QGuiApplication::primaryScreen();
    const int dotsPerInch = screen ? static_cast<int>(screen->logicalDotsPerInchX()) : 96;
    program_->window.initialise(dotsPerInch);
    QIcon icon;
    for (const int side : {16, 32, 64}) {
        icon.addPixmap(LogoPicture::icon(side));
    }
    setWindowIcon(icon);
    layOut();
}

CCorselDiagnosticSystemDlg::~CCorselDiagnosticSystemDlg() {
    timer_.stop();
    // The pages work on the program: they go before it.
    delete pageStack_;
    pageStack_ = nullptr;
}

MainWindowHooks CCorselDiagnosticSystemDlg::windowHooks() {
    MainWindowHooks hooks;
    hooks.runSettingsDialog = [this] {
        CDlgSettings dialog(program_->localisation, program_->stored.settings,
                            program_->displayScale, prompter_, this);
        dialog.exec();
    };
    // The logic has put the topic into the page records.
    hooks.showHelp = [this](int) {
        CDlgDialog9 dialog(*program_, this);
        dialog.exec();
    };
    hooks.showModels = [this] {
        CDlgDialog10 dialog(*program_, this);
        dialog.exec();
    };
    return hooks;
}

QPushButton* CCorselDiagnosticSystemDlg::addButton(ControlId id, int x, int y, int width,
                                                   int height, bool small) {
    auto* button = new QPushButton(this);
    button->setObjectName(QStringLiteral("button%1").arg(static_cast<int>(id)));
    if (small) {
        button->setProperty("size", QStringLiteral("small"));
    }
    button->setAutoDefault(false);
    controls_[id] = button;
    layoutUnits_[id] = QRect(x, y, width, height);
    return button;
}

QLabel* CCorselDiagnosticSystemDlg::addLabel(ControlId id, int x, int y, int width, int height,
                                             const char* role) {
    auto* label = new QLabel(this);
    label->setObjectName(QStringLiteral("label%1").arg(static_cast<int>(id)));
    if (role) {
        label->setProperty("role", QString::fromLatin1(role));
    }
    controls_[id] = label;
    layoutUnits_[id] = QRect(x, y, width, height);
    return label;
}

void CCorselDiagnosticSystemDlg::createControls(bool simulated) {
    // The picture and the four label/value pairs.
    QLabel* picture = addLabel(ControlId::Picture, 7, 6, 112, 46, nullptr);
    picture->setScaledContents(true);
    picture->setPixmap(LogoPicture::draw(QSize(448, 184)));

    const struct {
        ControlId label;
        ControlId value;
    } pairs[] = {{ControlId::HardwareIdLabel, ControlId::HardwareIdValue},
                 {ControlId::SerialLabel, ControlId::SerialValue},
                 {ControlId::PartNumberLabel, ControlId::PartNumberValue},
                 {ControlId::DtcLabel, ControlId::DtcValue}};
    int row = 6;
    for (const auto& pair : pairs) {
        addLabel(pair.label, 124, row, 150, 10, nullptr)
            ->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        addLabel(pair.value, 278, row, 98, 10, "value")->setAlignment(Qt::AlignCenter);
        row += 12;
    }

    // The small buttons, top right.
    int x = 472;
    for (const ControlId id : kSmallButtons) {
        addButton(id, x, 6, 36, 14, true);
        x += 39;
    }

    // The main buttons.
    x = 7;
    for (const ControlId id : kMainButtons) {
        addButton(id, x, 58, 74, 19, false);
        x += 79;
    }

    // Playback: the step buttons, the position and the times.
    addButton(ControlId::StepBack, 7, 84, 20, 13, true);
    trackbar_ = new QSlider(Qt::Horizontal, this);
    trackbar_->setObjectName(QStringLiteral("trackbar1060"));
    controls_[ControlId::Trackbar] = trackbar_;
    layoutUnits_[ControlId::Trackbar] = QRect(31, 84, 420, 13);
    addButton(ControlId::StepForward, 455, 84, 20, 13, true);
    addLabel(ControlId::TimeLabel, 482, 85, 92, 11, nullptr);
    addLabel(ControlId::SecondTimeLabel, 578, 85, 86, 11, nullptr)
        ->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    controls_[ControlId::StepBack]->setProperty("text", QStringLiteral("<<"));
    controls_[ControlId::StepForward]->setProperty("text", QStringLiteral(">>"));

    createTabControl();

    addLabel(ControlId::StatusLine, 7, 336, 500, 10, "status");
    QLabel* hidden = addLabel(ControlId::Hidden, 0, 0, 10, 10, nullptr);
    hidden->hide();

    if (simulated) {
        // A technician should never take simulated values for a real machine's.
        simulatedMark_ = new QLabel(tr("Simulated module"), this);
        simulatedMark_->setObjectName(QStringLiteral("simulatedModuleLabel"));
        simulatedMark_->setProperty("role", QStringLiteral("mark"));
        simulatedMark_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }

    MainWindowLogic& logic = program_->window;
    const std::pair<ControlId, std::function<void()>> handlers[] = {
        {ControlId::Connect, [&logic] { logic.onConnect(); }},
        {ControlId::ErrorClear, [&logic] { logic.onErrorClear(); }},
        {ControlId::Settings,
         [this, &logic] {
             logic.onSettings();
             layOut();  // the language may have brought another font
         }},
        {ControlId::Info, [&logic] { logic.onInfo(); }},
        {ControlId::Help, [&logic] { logic.onHelp(); }},
        {ControlId::Models, [&logic] { logic.onModels(); }},
        {ControlId::Faq, [&logic] { logic.onFaq(); }},
        {ControlId::Graph, [&logic] { logic.onGraph(); }},
        {ControlId::Print, [&logic] { logic.onPrint(); }},
    };
    for (const auto& [id, handler] : handlers) {
        connect(static_cast<QPushButton*>(controls_[id]), &QPushButton::clicked, this, handler);
    }
}

// Three tab headers over four pages: which page a tab shows depends on the
// fault codes, so the headers and the pages are kept apart.
void CCorselDiagnosticSystemDlg::createTabControl() {
    tabs_ = new QWidget(this);
    tabs_->setObjectName(QStringLiteral("tabs1001"));
    controls_[ControlId::Tabs] = tabs_;
    layoutUnits_[ControlId::Tabs] = QRect(7, 102, 657, 230);

    pageStack_ = new QStackedWidget(tabs_);
    pageStack_->setObjectName(QStringLiteral("tabPages"));
    tabBar_ = new QTabBar(tabs_);
    tabBar_->setObjectName(QStringLiteral("tabBar"));
    tabBar_->setDrawBase(false);
    tabBar_->setExpanding(false);
    // Over the pages' frame, so that the selected header opens into its page.
    tabBar_->raise();

    // The pages live as long as the window; their timers run while hidden.
    Program& program = *program_;
    pageStack_->insertWidget(tab_pages::kEngineData, new CDlgDialog1(program, prompter_));
    pageStack_->insertWidget(tab_pages::kFaultList, new CDlgDialog6(program));
    pageStack_->insertWidget(tab_pages::kNoFault, new CDlgEmpty(program.localisation.tables));
    pageStack_->insertWidget(tab_pages::kEngineDataAtFault, new CDlgDialog1(program, prompter_));
    pageStack_->widget(tab_pages::kEngineDataAtFault)
        ->setObjectName(QStringLiteral("engineDataAtFaultPage"));

    connect(tabBar_, &QTabBar::currentChanged, this, [this](int tab) {
        if (!tabsChanging_ && tab >= 0) {
            program_->window.onTabSelected(tab);
        }
    });
}

void CCorselDiagnosticSystemDlg::placeTabControl() {
    const int headerHeight = tabBar_->sizeHint().height();
    tabBar_->setGeometry(0, 0, tabs_->width(), headerHeight);
    pageStack_->setGeometry(0, headerHeight - 1, tabs_->width(),
                            tabs_->height() - headerHeight + 1);
    // The stack sizes only the page it shows; the hidden ones measure
    // themselves too (the fault list sizes its columns while hidden).
    const QRect area = pageStack_->contentsRect();
    for (int number = 0; number < pageStack_->count(); ++number) {
        pageStack_->widget(number)->setGeometry(area);
    }
}

QWidget* CCorselDiagnosticSystemDlg::page(int number) const {
    return pageStack_->widget(number);
}

int CCorselDiagnosticSystemDlg::shownPage() const {
    return pageStack_->currentIndex();
}

void CCorselDiagnosticSystemDlg::layOut() {
    SkinStyle::apply(*this, program_->displayScale, program_->localisation.FontCharset);
    placeControls();
}

void CCorselDiagnosticSystemDlg::placeControls() {
    placementPending_ = false;
    const DialogUnits units(font());
    for (const auto& [id, rect] : layoutUnits_) {
        controls_[id]->setGeometry(units.rect(rect.x(), rect.y(), rect.width(), rect.height()));
    }
    fitButtonRows(units);
    placeTabControl();
    if (simulatedMark_) {
        simulatedMark_->setGeometry(units.rect(514, 336, 150, 10));
    }
    setFixedSize(units.x(kWidthUnits), units.y(kHeightUnits));
}

// Texts differ in length from language to language: the small buttons take
// the width of their texts from the right edge, and the main buttons share
// the width of the longest, within bounds; a text still too long gets a
// smaller font.
void CCorselDiagnosticSystemDlg::fitButtonRows(const DialogUnits& units) {
    const QFontMetrics metrics(font());
    // The look's padding and frame on both sides, with a little air.
    const double scale = program_->displayScale;
    const int padding = static_cast<int>(std::lround(30 * scale));
    const int smallPadding = static_cast<int>(std::lround(26 * scale));
    int right = units.x(kWidthUnits - 7);
    for (auto id = kSmallButtons.rbegin(); id != kSmallButtons.rend(); ++id) {
        QWidget* button = controls_[*id];
        const int width = std::max(
            units.x(36),
            metrics.horizontalAdvance(static_cast<QPushButton*>(button)->text()) + smallPadding);
        button->setGeometry(right - width, button->y(), width, button->height());
        right -= width + units.x(3);
    }

    int widest = 0;
    for (const ControlId id : kMainButtons) {
        widest = std::max(
            widest, metrics.horizontalAdvance(static_cast<QPushButton*>(controls_[id])->text()));
    }
    const int width = std::clamp(widest + padding, units.x(74), units.x(104));
    int left = units.x(7);
    for (const ControlId id : kMainButtons) {
        auto* button = static_cast<QPushButton*>(controls_[id]);
        button->setGeometry(left, button->y(), width, button->height());
        QFont fitted = font();
        while (QFontMetrics(fitted).horizontalAdvance(button->text()) + padding > width &&
               fitted.pointSizeF() > kSmallestPointSize) {
            fitted.setPointSizeF(fitted.pointSizeF() - 0.5);
        }
        button->setFont(fitted);
        left += width + units.x(5);
    }
}

void CCorselDiagnosticSystemDlg::placeWhenIdle() {
    if (!placementPending_) {
        placementPending_ = true;
        QTimer::singleShot(0, this, [this] {
            if (placementPending_) {
                placeControls();
            }
        });
    }
}

QWidget* CCorselDiagnosticSystemDlg::control(ControlId id) const {
    const auto found = controls_.find(id);
    return found == controls_.end() ? nullptr : found->second;
}

void CCorselDiagnosticSystemDlg::setText(ControlId id, const std::string& value) {
    QWidget* widget = control(id);
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        label->setText(qt(value));
    } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
        // A single "&" would turn into a shortcut mark.
        const QString text = qt(value).replace(QLatin1Char('&'), QStringLiteral("&&"));
        if (button->text() != text) {
            button->setText(text);
            placeWhenIdle();
        }
    }
}

std::string CCorselDiagnosticSystemDlg::text(ControlId id) const {
    QWidget* widget = control(id);
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        return label->text().toStdString();
    }
    if (auto* button = qobject_cast<QPushButton*>(widget)) {
        return button->text().replace(QStringLiteral("&&"), QStringLiteral("&")).toStdString();
    }
    return {};
}

void CCorselDiagnosticSystemDlg::setEnabled(ControlId id, bool enabled) {
    if (QWidget* widget = control(id); widget && widget->isEnabled() != enabled) {
        widget->setEnabled(enabled);
    }
}

bool CCorselDiagnosticSystemDlg::isEnabled(ControlId id) const {
    const QWidget* widget = control(id);
    return widget && widget->isEnabled();
}

void CCorselDiagnosticSystemDlg::setCaption(const std::string& caption) {
    setWindowTitle(qt(caption));
}

void CCorselDiagnosticSystemDlg::setTabs(const std::vector<std::string>& names) {
    tabsChanging_ = true;
    while (tabBar_->count() > 0) {
        tabBar_->removeTab(0);
    }
    for (const std::string& name : names) {
        tabBar_->addTab(qt(name));
    }
    selectTab(0);
    tabsChanging_ = false;
    showPage(tab_pages::kEngineData);
    placeTabControl();
}

void CCorselDiagnosticSystemDlg::removeTab(int index) {
    if (index >= 0 && index < tabBar_->count()) {
        tabsChanging_ = true;
        tabBar_->removeTab(index);
        tabsChanging_ = false;
    }
}

int CCorselDiagnosticSystemDlg::selectedTab() const {
    return tabBar_->currentIndex();
}

// A selection made by the program shows its page as one made by the user
// does, even when the tab was selected already.
void CCorselDiagnosticSystemDlg::selectTab(int index) {
    if (index >= 0 && index < tabBar_->count() && index < kTabCount) {
        if (tabBar_->currentIndex() == index) {
            if (!tabsChanging_) {
                program_->window.onTabSelected(index);
            }
        } else {
            tabBar_->setCurrentIndex(index);
        }
        tabBar_->setFocus();
    }
}

void CCorselDiagnosticSystemDlg::showPage(int page) {
    if (page >= 0 && page < pageStack_->count()) {
        pageStack_->setCurrentIndex(page);
    }
}

void CCorselDiagnosticSystemDlg::resetTrackbar() {
    trackbar_->setRange(0, 0);
    trackbar_->setValue(0);
}

void CCorselDiagnosticSystemDlg::repaint() {
    update();
}

void CCorselDiagnosticSystemDlg::stopTimer() {
    timer_.stop();
}

void CCorselDiagnosticSystemDlg::startTimer() {
    timer_.start(kSessionTimerMs);
}

PromptAnswer CCorselDiagnosticSystemDlg::ask(const PromptRequest& request) {
    return prompter_.ask(request);
}

void CCorselDiagnosticSystemDlg::reject() {
    if (program_->window.requestExit()) {
        QDialog::reject();
    }
}

}  // namespace corsel
