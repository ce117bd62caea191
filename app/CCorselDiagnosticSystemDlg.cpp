#include "app/CCorselDiagnosticSystemDlg.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <algorithm>
#include <cmath>
#include <array>
#include <QIcon>
#include <functional>
#include <utility>
#include <QLabel>
#include <QPalette>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QTabBar>
#include <QTabWidget>

#include "app/CDlgSettings.h"
#include "platform/Prompter.h"
#include "text/MainTextIds.h"
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
constexpr std::array<ControlId, 5> kSmallButtons{ControlId::Info, ControlId::Help,
                                                 ControlId::Models, ControlId::Faq,
                                                 ControlId::Print};
constexpr std::array<ControlId, 6> kMainButtons{ControlId::Open,       ControlId::Connect,
                                                ControlId::SaveAs,     ControlId::ErrorClear,
                                                ControlId::Settings,   ControlId::Graph};

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

    program_ = std::make_unique<Program>(ProgramServices(platform, *this), placeholderHooks());
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
}

MainWindowHooks CCorselDiagnosticSystemDlg::placeholderHooks() {
    MainWindowHooks hooks;
    hooks.runSettingsDialog = [this] {
        CDlgSettings dialog(program_->localisation, program_->stored.settings,
                            program_->displayScale, prompter_, this);
        dialog.exec();
    };
    // The help and model windows come later; until then their texts are shown
    // in a message.
    hooks.showHelp = [this](int topic) {
        if (topic == MainWindowLogic::kInfoTopic) {
            const TextTables& tables = program_->localisation.tables;
            showText(tables.AboutTexts[100], tables.AboutTexts[110]);
        }
    };
    hooks.showModels = [this] {
        const TextTables& tables = program_->localisation.tables;
        showText(tables.ModelsTexts[2] + "\n\n" + tables.ModelsTexts[1] + "\n\n" +
                     tables.ModelsTexts[3] + "\n\n" + tables.ModelsTexts[4],
                 program_->window.text(MainText::Models));
    };
    return hooks;
}

void CCorselDiagnosticSystemDlg::showText(const std::string& text, const std::string& caption) {
    prompter_.ask({text, caption, PromptButtons::Ok, PromptIcon::Information, true});
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
        addLabel(pair.label, 124, row, 150, 10, nullptr)->setAlignment(Qt::AlignRight |
                                                                      Qt::AlignVCenter);
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

    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("tabs1001"));
    tabs_->setDocumentMode(false);
    controls_[ControlId::Tabs] = tabs_;
    layoutUnits_[ControlId::Tabs] = QRect(7, 102, 657, 230);

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
        const int width = std::max(units.x(36), metrics.horizontalAdvance(
                                                    static_cast<QPushButton*>(button)->text()) +
                                                    smallPadding);
        button->setGeometry(right - width, button->y(), width, button->height());
        right -= width + units.x(3);
    }

    int widest = 0;
    for (const ControlId id : kMainButtons) {
        widest = std::max(widest, metrics.horizontalAdvance(
                                      static_cast<QPushButton*>(controls_[id])->text()));
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
    // The pages themselves come with the live-data pages; until then each tab
    // shows an empty black page.
    while (tabs_->count() > 0) {
        QWidget* page = tabs_->widget(0);
        tabs_->removeTab(0);
        delete page;
    }
    for (const std::string& name : names) {
        auto* page = new QWidget;
        QPalette black = page->palette();
        black.setColor(QPalette::Window, Qt::black);
        page->setPalette(black);
        page->setAutoFillBackground(true);
        tabs_->addTab(page, qt(name));
    }
    selectTab(0);
}

void CCorselDiagnosticSystemDlg::removeTab(int index) {
    if (index >= 0 && index < tabs_->count()) {
        QWidget* page = tabs_->widget(index);
        tabs_->removeTab(index);
        delete page;
    }
}

int CCorselDiagnosticSystemDlg::selectedTab() const {
    return tabs_->currentIndex();
}

void CCorselDiagnosticSystemDlg::selectTab(int index) {
    if (index >= 0 && index < tabs_->count() && index < kTabCount) {
        tabs_->setCurrentIndex(index);
        tabs_->tabBar()->setFocus();
    }
}

void CCorselDiagnosticSystemDlg::resetTrackbar() {
    trackbar_->setRange(0, 0);
    trackbar_->setValue(0);
}

void CCorselDiagnosticSystemDlg::clearPageValues() {}

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
