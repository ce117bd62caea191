#pragma once

#include <QFont>
#include <QString>

class QWidget;

namespace corsel {

// The program's dark look: black windows, white texts, framed value fields
// and clearly drawn buttons, sized by the display scale.
struct SkinStyle {
    // The dialog font; the character set of the language decides the writing
    // system the font must cover.
    static QFont dialogFont(int fontCharset);
    static QString styleSheet(double scale);
    // Puts the look on a top-level window and everything in it.
    static void apply(QWidget& window, double scale, int fontCharset);
};

}  // namespace corsel
