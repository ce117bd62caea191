#pragma once

#include <QPixmap>
#include <QSize>

namespace corsel {

// The picture at the top left of the main window, drawn rather than loaded so
// that it stays sharp at every display scale.
struct LogoPicture {
    static QPixmap draw(QSize size);
};

}  // namespace corsel
