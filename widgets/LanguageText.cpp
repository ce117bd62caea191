#include "widgets/LanguageText.h"

namespace corsel {

QString plainTextOf(const std::string& text) {
    QString converted = QString::fromStdString(text);
    converted.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    converted.replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
    converted.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return converted;
}

}  // namespace corsel
