#include "app/CDlgEmpty.h"

#include <QLabel>
#include <QPalette>
#include <QVBoxLayout>

namespace corsel {

CDlgEmpty::CDlgEmpty(TextTables& texts, QWidget* parent) : QWidget(parent), logic_(texts) {
    setObjectName(QStringLiteral("noFaultPage"));
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    setAutoFillBackground(true);

    text_ = new QLabel(this);
    text_->setObjectName(QStringLiteral("label%1").arg(NoFaultPage::kTextControlId));
    text_->setAlignment(Qt::AlignCenter);
    text_->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);

    timer_.setInterval(NoFaultPage::kTickMs);
    connect(&timer_, &QTimer::timeout, this, [this] {
        if (const auto text = logic_.tick()) {
            text_->setText(QString::fromStdString(*text));
        }
    });
    timer_.start();
}

CDlgEmpty::~CDlgEmpty() {
    timer_.stop();
}

}  // namespace corsel
