#include "platform/qt/QtShell.h"

#include <QDesktopServices>
#include <QString>
#include <QUrl>

namespace corsel {

void QtShell::open(const std::string& path) {
    // Web addresses (the help window's link) open in the browser; anything
    // else is a file of the installation.
    const QString text = QString::fromStdString(path);
    const QUrl web(text);
    const bool isWeb = web.scheme() == QLatin1String("http") || web.scheme() == QLatin1String("https");
    QDesktopServices::openUrl(isWeb ? web : QUrl::fromLocalFile(text));
}

}  // namespace corsel
