#include "platform/qt/QtShell.h"

#include <QDesktopServices>
#include <QString>
#include <QUrl>

namespace corsel {

void QtShell::open(const std::string& path) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
}

}  // namespace corsel
