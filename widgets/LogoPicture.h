#pragma once

#include <QPixmap>
#include <QSize>

namespace corsel {

// The picture at the top left of the main window, drawn rather than loaded so
// that it stays sharp at every display scale.
struct LogoPicture {
    static QPixmap draw(QSize size);
    // The window's icon: the initial on the program's red.
    static QPixmap icon(int side);
};

}  // namespace corsel
