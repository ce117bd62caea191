#pragma once

#include <QFont>
#include <QRect>

namespace corsel {

// Converts the layout's dialog units to pixels: a horizontal unit is a quarter
// of the dialog font's average character width, a vertical unit an eighth of
// its height.
class DialogUnits {
public:
    explicit DialogUnits(const QFont& dialogFont);

    int x(int units) const;
    int y(int units) const;
    QRect rect(int left, int top, int width, int height) const;

private:
    double characterWidth_;
    double characterHeight_;
};

}  // namespace corsel
