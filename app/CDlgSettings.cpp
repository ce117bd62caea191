#include "app/CDlgSettings.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/Prompter.h"
#include "widgets/DialogUnits.h"
#include "widgets/SkinStyle.h"

namespace corsel {

namespace {

// Entries of the dialog's text table.
enum SettingsText : std::size_t {
    CloseText = 0,
    TitleText = 1,
    SpeedText = 2,
    TemperatureText = 3,
    PressureText = 4,
    AirflowText = 5,
    LanguageText = 6,
    FlowrateText = 7,
    PeriodText = 8,
};

// The label of each unit list, in the order of the unit slots.
constexpr std::array<std::size_t, SettingsRecord::kUnitCount> kUnitLabels{
    SpeedText, TemperatureText, PressureText, AirflowText, FlowrateText};

}  // namespace

CDlgSettings::CDlgSettings(Localisation& localisation, SettingsRecord& settings,
                           double displayScale, Prompter& prompter, QWidget* parent)
    : QDialog(parent), logic_(localisation, settings), prompter_(prompter) {
    setObjectName(QStringLiteral("settingsDialog"));
    SkinStyle::apply(*this, displayScale, localisation.FontCharset);
    const DialogUnits units(font());

    title_ = new QLabel(this);
    title_->setAlignment(Qt::AlignCenter);
    QFont titleFont = font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.3);
    title_->setFont(titleFont);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(units.x(8));
    grid->setVerticalSpacing(units.y(4));
    int row = 0;
    auto addRow = [&](std::size_t textEntry, QWidget* field) {
        auto* label = new QLabel(this);
        labels_[textEntry] = label;
        grid->addWidget(label, row, 0, Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(field, row, 1);
        ++row;
    };

    languageList_ = new QComboBox(this);
    languageList_->setObjectName(QStringLiteral("list1068"));
    for (const std::string_view name : SettingsDialogLogic::languageNames()) {
        languageList_->addItem(QString::fromUtf8(name.data(), static_cast<int>(name.size())));
    }
    languageList_->setCurrentIndex(logic_.selectedLanguage());
    connect(languageList_, &QComboBox::activated, this,
            [this](int index) { logic_.chooseLanguage(index); });
    addRow(LanguageText, languageList_);

    for (const auto& list : SettingsDialogLogic::unitLists()) {
        auto* box = new QComboBox(this);
        box->setObjectName(QStringLiteral("list%1").arg(list.controlId));
        for (const std::string_view entry : list.entries) {
            box->addItem(QString::fromUtf8(entry.data(), static_cast<int>(entry.size())));
        }
        box->setCurrentIndex(logic_.selectedUnit(list.slot));
        const std::size_t slot = list.slot;
        connect(box, &QComboBox::activated, this, [this, slot](int index) {
            logic_.chooseUnit(slot, index);
            update();
        });
        unitLists_[slot] = box;
        addRow(kUnitLabels[slot], box);
    }

    periodEdit_ = new QLineEdit(this);
    periodEdit_->setObjectName(QStringLiteral("edit1420"));
    periodEdit_->setText(QString::fromStdString(logic_.periodText()));
    periodEdit_->setMaximumWidth(units.x(40));
    periodEdit_->setAlignment(Qt::AlignRight);
    periodEdit_->installEventFilter(this);
    acceptedPeriod_ = periodEdit_->text();
    addRow(PeriodText, periodEdit_);

    closeButton_ = new QPushButton(this);
    closeButton_->setObjectName(QStringLiteral("button1"));
    closeButton_->setMinimumWidth(units.x(60));
    closeButton_->setAutoDefault(false);
    connect(closeButton_, &QPushButton::clicked, this, [this] { done(QDialog::Accepted); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(units.x(10), units.y(8), units.x(10), units.y(8));
    layout->setSpacing(units.y(8));
    layout->addWidget(title_);
    layout->addLayout(grid);
    layout->addWidget(closeButton_, 0, Qt::AlignHCenter);
    setMinimumWidth(units.x(190));

    applyTexts();
    timer_.setInterval(kTimerMs);
    connect(&timer_, &QTimer::timeout, this, [this] {
        if (logic_.takeReload()) {
            applyTexts();
        }
    });
    timer_.start();
}

void CDlgSettings::applyTexts() {
    const auto qt = [this](std::size_t entry) { return QString::fromStdString(logic_.text(entry)); };
    setWindowTitle(qt(TitleText));
    title_->setText(qt(TitleText));
    closeButton_->setText(qt(CloseText));
    for (std::size_t entry = 0; entry < labels_.size(); ++entry) {
        if (labels_[entry]) {
            labels_[entry]->setText(qt(entry));
        }
    }
    languageList_->setCurrentIndex(logic_.selectedLanguage());
    update();
}

bool CDlgSettings::commitPeriod() {
    if (validating_) {
        return false;
    }
    const auto message = logic_.commitPeriod(periodEdit_->text().toStdString());
    if (!message) {
        acceptedPeriod_ = periodEdit_->text();
        return true;
    }
    validating_ = true;
    prompter_.ask({*message, "", PromptButtons::Ok, PromptIcon::Warning, false});
    periodEdit_->setFocus();
    periodEdit_->selectAll();
    validating_ = false;
    return false;
}

bool CDlgSettings::eventFilter(QObject* watched, QEvent* event) {
    if (watched == periodEdit_ && event->type() == QEvent::FocusOut && !validating_) {
        commitPeriod();
    }
    return QDialog::eventFilter(watched, event);
}

void CDlgSettings::done(int result) {
    // A period typed but not yet taken is checked first; a wrong one keeps
    // the dialog open.
    if (periodEdit_->text() != acceptedPeriod_ && !commitPeriod()) {
        return;
    }
    timer_.stop();
    QDialog::done(result);
}

}  // namespace corsel
