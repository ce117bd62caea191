#include "app/CDlgDialog9.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include "app/Program.h"
#include "widgets/DialogUnits.h"
#include "widgets/LanguageText.h"
#include "widgets/SkinStyle.h"

namespace corsel {

namespace {

constexpr int kWidthUnits = 301;
constexpr int kHeightUnits = 294;

}  // namespace

CDlgDialog9::CDlgDialog9(Program& program, QWidget* parent)
    : QDialog(parent),
      program_(program),
      logic_(program.localisation.tables, program.pages.HelpTopic, *this) {
    setObjectName(QStringLiteral("helpWindow"));
    SkinStyle::apply(*this, program.displayScale, program.localisation.FontCharset);
    const DialogUnits units(font());

    title_ = new QLabel(this);
    title_->setObjectName(QStringLiteral("label1062"));
    title_->setAlignment(Qt::AlignCenter);
    QFont titleFont = font();
    titleFont.setBold(true);
    title_->setFont(titleFont);
    title_->setGeometry(units.rect(16, 10, 269, 12));

    body_ = new QPlainTextEdit(this);
    body_->setObjectName(QStringLiteral("edit1320"));
    body_->setReadOnly(true);
    body_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    body_->setGeometry(units.rect(10, 26, 281, 238));

    link_ = new QLabel(this);
    link_->setObjectName(QStringLiteral("link1322"));
    link_->setTextFormat(Qt::RichText);
    link_->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    link_->setOpenExternalLinks(false);
    // Wide enough for the whole address, up to the button.
    link_->setGeometry(units.x(5), units.y(277), units.x(224), units.y(11));
    // The address goes to the desktop through the program's shell service.
    connect(link_, &QLabel::linkActivated, this,
            [this](const QString& target) { program_.services.shell.open(target.toStdString()); });

    closeButton_ = new QPushButton(this);
    closeButton_->setObjectName(QStringLiteral("button2"));
    closeButton_->setAutoDefault(false);
    closeButton_->setGeometry(units.rect(234, 277, 47, 11));
    connect(closeButton_, &QPushButton::clicked, this, &QDialog::accept);

    setFixedSize(units.x(kWidthUnits), units.y(kHeightUnits));

    logic_.initialise();
    timer_.setInterval(HelpWindowLogic::kTickMs);
    connect(&timer_, &QTimer::timeout, this, [this] { logic_.tick(); });
    timer_.start();
    logic_.tick();
}

CDlgDialog9::~CDlgDialog9() {
    timer_.stop();
}

void CDlgDialog9::setLink(const std::string& text, const std::string& target) {
    const QString address = QString::fromStdString(target);
    link_->setText(QStringLiteral("<a href=\"%1\" style=\"color: #66b3ff;\">%2</a>")
                       .arg(address.toHtmlEscaped(), QString::fromStdString(text).toHtmlEscaped()));
    link_->setToolTip(address);
}

void CDlgDialog9::setCloseText(const std::string& text) {
    closeButton_->setText(QString::fromStdString(text));
}

void CDlgDialog9::setTitle(const std::string& text) {
    title_->setText(QString::fromStdString(text));
    setWindowTitle(title_->text());
}

void CDlgDialog9::setBody(const std::string& text) {
    body_->setPlainText(plainTextOf(text));
}

}  // namespace corsel
