#include "ui/qt/ProgramIcon.h"

#include <QPainter>
#include <QPainterPath>

namespace vantrel {

QPixmap programIconPixmap(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);

    p.setPen(QPen(QColor(0, 0, 128), 1.0));
    p.setBrush(QColor(96, 160, 230));
    p.drawEllipse(QRectF(0.5, 0.5, 31, 31));

    // Fuselage, wings and tailplane of a high-wing trainer, nose up.
    QPainterPath plane;
    plane.addRoundedRect(QRectF(14.5, 4, 3, 23), 1.5, 1.5);
    plane.addRoundedRect(QRectF(3, 10, 26, 4), 1.5, 1.5);
    plane.addRoundedRect(QRectF(10, 23, 12, 3), 1.2, 1.2);
    plane.setFillRule(Qt::WindingFill);
    p.setPen(QPen(QColor(40, 40, 40), 0.8));
    p.setBrush(Qt::white);
    p.drawPath(plane.simplified());

    // Propeller disc.
    p.setPen(QPen(QColor(40, 40, 40), 1.0));
    p.drawLine(QPointF(12.5, 3.5), QPointF(19.5, 3.5));
    return pixmap;
}

QIcon programIcon()
{
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(programIconPixmap(size));
    return icon;
}

} // namespace vantrel
