#include "widgets/SkinStyle.h"

#include <QPalette>
#include <QWidget>
#include <cmath>

namespace corsel {

namespace {

constexpr double kDialogPointSize = 9.0;
constexpr int kRussianCharset = 204;

QString pixels(double value, double scale) {
    return QString::number(std::max(1L, std::lround(value * scale))) + QStringLiteral("px");
}

}  // namespace

QFont SkinStyle::dialogFont(int fontCharset) {
    // Point sizes already follow the screen's resolution; only pixel sizes
    // (frames, corners, padding) need the display scale.
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(kDialogPointSize);
    // Both fonts we ship cover Cyrillic; the hint keeps a substitute that does.
    if (fontCharset == kRussianCharset) {
        font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")});
    }
    return font;
}

QString SkinStyle::styleSheet(double scale) {
    const auto px = [scale](double value) { return pixels(value, scale); };
    return QStringLiteral(
               "QDialog { background: #000000; }"
               "QLabel { color: #ffffff; background: transparent; }"
               "QLabel[role=\"value\"] { background: #101418; border: 1px solid #3a4450;"
               "  border-radius: %1; padding: 0 %2; font-weight: bold; }"
               "QLabel[role=\"status\"] { color: #ffcc33; }"
               "QLabel[role=\"mark\"] { color: #8a96a3; }"
               "QPushButton { color: #ffffff; border: 1px solid #5c6773; border-radius: %3;"
               "  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #4a535e,"
               "  stop:0.5 #2c333b, stop:1 #1c2126); padding: %4 %5; }"
               "QPushButton:hover { border-color: #c8d2dc;"
               "  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #5b6673,"
               "  stop:0.5 #38414b, stop:1 #242a31); }"
               "QPushButton:pressed { background: #16191d; border-color: #e03c31; }"
               "QPushButton:focus { border-color: #e03c31; }"
               "QPushButton:disabled { color: #6a727b; border-color: #30363d;"
               "  background: #14171a; }"
               "QPushButton[size=\"small\"] { border-radius: %6; padding: %7 %8; }"
               "QStackedWidget#tabPages { border: 1px solid #3a4450; background: #000000; }"
               "QTabBar::tab { color: #b8c2cc; background: #15191d; border: 1px solid #3a4450;"
               "  border-bottom: none; padding: %9 %10; margin-right: %11;"
               "  border-top-left-radius: %6; border-top-right-radius: %6; }"
               "QTabBar::tab:selected { color: #ffffff; background: #000000;"
               "  border-top: 2px solid #e03c31; }"
               "QTabBar::tab:hover { color: #ffffff; }"
               "QSlider::groove:horizontal { height: %12; background: #23292f;"
               "  border: 1px solid #3a4450; border-radius: %13; }"
               "QSlider::handle:horizontal { width: %14; margin: -%15 0; border-radius: %13;"
               "  background: #d9dee3; border: 1px solid #8a96a3; }"
               "QSlider::handle:horizontal:disabled { background: #4a535e; border-color: #30363d; }"
               "QComboBox, QLineEdit { color: #ffffff; background: #101418;"
               "  border: 1px solid #5c6773; border-radius: %6; padding: %7 %8; }"
               "QComboBox:focus, QLineEdit:focus { border-color: #e03c31; }"
               "QPlainTextEdit { color: #ffffff; background: #101418; border: 1px solid #3a4450; }"
               "QTreeWidget { background: #000000; color: #ffffff; border: none; }"
               "QTreeWidget::item { padding: 2px 0; }"
               "QTreeWidget::item:selected { background: #e03c31; color: #ffffff; }"
               "QHeaderView::section { background: #15191d; color: #ffffff; padding: 2px 4px;"
               "  border: none; border-right: 1px solid #3a4450; border-bottom: 1px solid #3a4450; }"
               "QComboBox QAbstractItemView { color: #ffffff; background: #101418;"
               "  selection-background-color: #e03c31; }"
               "QMessageBox { background: #1c2126; }"
               "QToolTip { color: #ffff80; background: #303030; border: 1px solid #606060; }")
        .arg(px(2), px(4), px(4), px(3), px(10), px(3), px(2), px(6))
        .arg(px(4), px(14), px(2), px(6), px(3), px(12), px(5));
}

void SkinStyle::apply(QWidget& window, double scale, int fontCharset) {
    QPalette colours = window.palette();
    colours.setColor(QPalette::Window, Qt::black);
    colours.setColor(QPalette::WindowText, Qt::white);
    colours.setColor(QPalette::Base, QColor(0x10, 0x14, 0x18));
    colours.setColor(QPalette::Text, Qt::white);
    colours.setColor(QPalette::Button, QColor(0x2c, 0x33, 0x3b));
    colours.setColor(QPalette::ButtonText, Qt::white);
    window.setPalette(colours);
    window.setAutoFillBackground(true);
    window.setFont(dialogFont(fontCharset));
    window.setStyleSheet(styleSheet(scale));
}

}  // namespace corsel
