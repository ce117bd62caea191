#include "widgets/ValueLabel.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPainter>

namespace corsel {

namespace {

// Below this share of the page's font size a text is cut rather than shrunk.
constexpr double kSmallestScale = 0.7;
constexpr double kStep = 0.25;

}  // namespace

ValueLabel::ValueLabel(int controlId, Qt::Alignment alignment, QWidget* parent)
    : QWidget(parent), controlId_(controlId), alignment_(alignment) {
    setObjectName(QStringLiteral("label%1").arg(controlId));
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Moves reach the page, which times the help tips.
    setMouseTracking(true);
    fitted_ = font();
}

QColor ValueLabel::colourOf(ValueColour colour) {
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                  static_cast<int>((colour >> 16) & 0xFF));
}

void ValueLabel::setText(const QString& text, const QColor& colour) {
    if (text == text_ && colour == colour_) {
        return;
    }
    const bool textChanged = text != text_;
    text_ = text;
    colour_ = colour;
    if (textChanged) {
        fitFont();
    }
    update();
}

void ValueLabel::fitFont() {
    fitted_ = font();
    fitted_.setWeight(QFont::Normal);
    const double full = fitted_.pointSizeF();
    if (full <= 0 || text_.isEmpty()) {
        return;
    }
    double size = full;
    while (QFontMetrics(fitted_).horizontalAdvance(text_) > width() &&
           size - kStep >= full * kSmallestScale) {
        size -= kStep;
        fitted_.setPointSizeF(size);
    }
}

void ValueLabel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    fitFont();
}

void ValueLabel::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        fitFont();
        update();
    }
}

void ValueLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (text_.isEmpty()) {
        return;
    }
    painter.setFont(fitted_);
    painter.setPen(colour_);
    const QString shown = QFontMetrics(fitted_).elidedText(text_, Qt::ElideRight, width());
    painter.drawText(rect(), static_cast<int>(alignment_ | Qt::AlignVCenter | Qt::TextSingleLine),
                     shown);
}

}  // namespace corsel
