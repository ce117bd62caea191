#include "widgets/LogoPicture.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace corsel {

QPixmap LogoPicture::draw(QSize size) {
    QPixmap picture(size);
    picture.fill(Qt::black);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const double width = size.width();
    const double height = size.height();

    // A trace of an engine-speed curve behind the name.
    QPainterPath trace;
    trace.moveTo(0, height * 0.78);
    trace.cubicTo(width * 0.18, height * 0.78, width * 0.22, height * 0.30, width * 0.36,
                  height * 0.52);
    trace.cubicTo(width * 0.50, height * 0.74, width * 0.58, height * 0.18, width * 0.74,
                  height * 0.40);
    trace.cubicTo(width * 0.84, height * 0.54, width * 0.92, height * 0.46, width, height * 0.44);
    QLinearGradient traceColour(0, 0, width, 0);
    traceColour.setColorAt(0, QColor(0xe0, 0x3c, 0x31, 40));
    traceColour.setColorAt(1, QColor(0xe0, 0x3c, 0x31, 200));
    painter.setPen(QPen(QBrush(traceColour), height * 0.035));
    painter.drawPath(trace);

    QFont name(QStringLiteral("DejaVu Sans"));
    name.setBold(true);
    name.setPixelSize(static_cast<int>(height * 0.36));
    name.setLetterSpacing(QFont::PercentageSpacing, 108);
    painter.setFont(name);
    painter.setPen(Qt::white);
    painter.drawText(QRectF(0, height * 0.04, width, height * 0.52), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("TARQUELL"));

    QFont line(QStringLiteral("DejaVu Sans"));
    line.setPixelSize(static_cast<int>(height * 0.13));
    painter.setFont(line);
    painter.setPen(QColor(0xb8, 0xc2, 0xcc));
    painter.drawText(QRectF(width * 0.01, height * 0.58, width, height * 0.42),
                     Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("ECM diagnostics for Honda\nmotorcycles and marine engines"));
    return picture;
}

QPixmap LogoPicture::icon(int side) {
    QPixmap picture(side, side);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xe0, 0x3c, 0x31));
    painter.drawRoundedRect(QRectF(0, 0, side, side), side * 0.18, side * 0.18);
    QFont initial(QStringLiteral("DejaVu Sans"));
    initial.setBold(true);
    initial.setPixelSize(static_cast<int>(side * 0.72));
    painter.setFont(initial);
    painter.setPen(Qt::white);
    painter.drawText(QRectF(0, 0, side, side), Qt::AlignCenter, QStringLiteral("T"));
    return picture;
}

}  // namespace corsel
