#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QWidget>

#include "ecu/LiveValues.h"

namespace corsel {

// A static text of the engine-data page: a name, a value or a unit, drawn on
// black in the colour that comes with the text. A text too wide for its box
// is drawn smaller, so that long names in other languages stay readable.
class ValueLabel : public QWidget {
    Q_OBJECT

public:
    ValueLabel(int controlId, Qt::Alignment alignment, QWidget* parent = nullptr);

    int controlId() const { return controlId_; }
    QString text() const { return text_; }
    QColor colour() const { return colour_; }

    // Repaints only when the text or the colour differs from what is shown.
    void setText(const QString& text, const QColor& colour);

    // 0x00BBGGRR as the logic gives it.
    static QColor colourOf(ValueColour colour);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void fitFont();

    int controlId_;
    Qt::Alignment alignment_;
    QString text_;
    QColor colour_{Qt::white};
    QFont fitted_;
};

}  // namespace corsel
