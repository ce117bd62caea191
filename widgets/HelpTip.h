#pragma once

#include <QLabel>
#include <QPoint>

namespace corsel {

// The help tip of a page: yellow on dark grey, at most 400 px wide, word
// wrapped, beside the mouse cursor and following it while it shows.
class HelpTip : public QLabel {
    Q_OBJECT

public:
    static constexpr int kMaximumWidth = 400;
    static constexpr int kMargin = 4;
    static constexpr QPoint kCursorOffset{16, 20};

    explicit HelpTip(QWidget* owner);

    // Shows the text beside the cursor at this global position.
    void showText(const QString& text, const QPoint& cursor);
    // Keeps the tip beside a moving cursor.
    void follow(const QPoint& cursor);
};

}  // namespace corsel
