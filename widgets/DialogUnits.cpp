#include "widgets/DialogUnits.h"

#include <QFontMetricsF>
#include <QString>
#include <cmath>

namespace corsel {

DialogUnits::DialogUnits(const QFont& dialogFont) {
    const QFontMetricsF metrics(dialogFont);
    // The average over the alphabet, as the classic dialog layout measures it.
    const QString alphabet =
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    characterWidth_ = metrics.horizontalAdvance(alphabet) / alphabet.size();
    characterHeight_ = metrics.height();
}

int DialogUnits::x(int units) const {
    return static_cast<int>(std::lround(units * characterWidth_ / 4.0));
}

int DialogUnits::y(int units) const {
    return static_cast<int>(std::lround(units * characterHeight_ / 8.0));
}

QRect DialogUnits::rect(int left, int top, int width, int height) const {
    return {x(left), y(top), x(width), y(height)};
}

}  // namespace corsel
