#include "app/CDlgDialog10.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include "app/Program.h"
#include "pages/HelpWindowLogic.h"
#include "widgets/DialogUnits.h"
#include "widgets/LanguageText.h"
#include "widgets/SkinStyle.h"

namespace corsel {

namespace {

constexpr int kWidthUnits = 495;
constexpr int kHeightUnits = 354;

}  // namespace

CDlgDialog10::CDlgDialog10(Program& program, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("modelListWindow"));
    SkinStyle::apply(*this, program.displayScale, program.localisation.FontCharset);
    const DialogUnits units(font());
    const ModelListTexts texts = ModelListTexts::from(program.localisation.tables);

    const auto addLabel = [&](int id, const std::string& text, QRect place) {
        auto* label = new QLabel(QString::fromStdString(text), this);
        label->setObjectName(QStringLiteral("label%1").arg(id));
        label->setAlignment(Qt::AlignCenter);
        label->setGeometry(units.rect(place.x(), place.y(), place.width(), place.height()));
        return label;
    };
    const auto addList = [&](int id, const std::string& text, QRect place) {
        auto* list = new QPlainTextEdit(plainTextOf(text), this);
        list->setObjectName(QStringLiteral("edit%1").arg(id));
        list->setReadOnly(true);
        list->setLineWrapMode(QPlainTextEdit::WidgetWidth);
        list->setGeometry(units.rect(place.x(), place.y(), place.width(), place.height()));
        return list;
    };

    title_ = addLabel(1422, texts.title, {27, 7, 441, 12});
    QFont titleFont = font();
    titleFont.setBold(true);
    title_->setFont(titleFont);
    addLabel(1324, texts.motorcycleHeading, {7, 32, 481, 11});
    motorcycleList_ = addList(1323, texts.motorcycleList, {7, 51, 481, 223});
    addLabel(1325, texts.marineHeading, {7, 286, 481, 11});
    marineList_ = addList(1326, texts.marineList, {7, 299, 481, 29});

    closeButton_ = new QPushButton(QString::fromStdString(texts.close), this);
    closeButton_->setObjectName(QStringLiteral("button2"));
    closeButton_->setAutoDefault(false);
    closeButton_->setGeometry(units.rect(222, 333, 50, 14));
    connect(closeButton_, &QPushButton::clicked, this, &QDialog::accept);

    setWindowTitle(title_->text());
    setFixedSize(units.x(kWidthUnits), units.y(kHeightUnits));
}

}  // namespace corsel
