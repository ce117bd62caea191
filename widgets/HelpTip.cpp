#include "widgets/HelpTip.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

namespace corsel {

HelpTip::HelpTip(QWidget* owner)
    : QLabel(owner, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus) {
    setObjectName(QStringLiteral("helpTip"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
    // Its own sheet, so that the window's label rules do not colour it.
    setStyleSheet(
        QStringLiteral("QLabel#helpTip { color: rgb(255, 255, 0);"
                       " background: rgb(40, 40, 40); border: none; padding: 0; }"));
    setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    setMaximumWidth(kMaximumWidth);
    hide();
}

void HelpTip::showText(const QString& text, const QPoint& cursor) {
    if (parentWidget()) {
        setFont(parentWidget()->font());
    }
    setText(text);
    // As wide as the longest line, up to the limit; higher for wrapped lines.
    const QFontMetrics metrics(font());
    int widest = 0;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        widest = std::max(widest, metrics.horizontalAdvance(line));
    }
    const int width = std::min(kMaximumWidth, widest + 2 * kMargin + 2);
    resize(width, heightForWidth(width));
    follow(cursor);
    show();
}

void HelpTip::follow(const QPoint& cursor) {
    QPoint place = cursor + kCursorOffset;
    if (const QScreen* screen = QGuiApplication::screenAt(cursor)) {
        // Beside the cursor, but never off the screen.
        const QRect area = screen->availableGeometry();
        if (place.x() + width() > area.right()) {
            place.setX(std::max(area.left(), cursor.x() - width() - kCursorOffset.x()));
        }
        if (place.y() + height() > area.bottom()) {
            place.setY(std::max(area.top(), cursor.y() - height() - kCursorOffset.x()));
        }
    }
    move(place);
}

}  // namespace corsel
