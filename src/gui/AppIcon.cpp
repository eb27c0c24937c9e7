#include "AppIcon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {
// The same design drawn in code, for systems without the SVG image plug-in.
QIcon paintedIcon()
{
    QIcon icon;
    for (int size : {16, 22, 32, 48, 64, 128}) {
        QPixmap pm(size, size);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        const qreal s = size;
        // A disk platter with a "V" cut into it.
        QLinearGradient g(0, 0, 0, s);
        g.setColorAt(0, QColor(0x2b, 0x4f, 0x9e));
        g.setColorAt(1, QColor(0x14, 0x2a, 0x5c));
        p.setBrush(g);
        p.setPen(Qt::NoPen);
        p.drawRoundedRect(QRectF(0.5, 0.5, s - 1, s - 1), s * 0.2, s * 0.2);
        p.setBrush(QColor(0xdf, 0xe7, 0xf5));
        p.drawEllipse(QPointF(s * 0.5, s * 0.5), s * 0.36, s * 0.36);
        p.setBrush(QColor(0x2b, 0x4f, 0x9e));
        p.drawEllipse(QPointF(s * 0.5, s * 0.5), s * 0.08, s * 0.08);
        QPainterPath v;
        v.moveTo(s * 0.22, s * 0.22);
        v.lineTo(s * 0.5, s * 0.82);
        v.lineTo(s * 0.78, s * 0.22);
        p.setPen(QPen(QColor(0xf2, 0x9d, 0x1d), std::max(1.5, s * 0.11), Qt::SolidLine,
                      Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(v);
        p.end();
        icon.addPixmap(pm);
    }
    return icon;
}
} // namespace

QIcon AppIcon()
{
    static const QIcon icon = [] {
        QIcon svg(QStringLiteral(":/icons/org.ventrik.Ventrik.svg"));
        return svg.pixmap(32, 32).isNull() ? paintedIcon() : svg;
    }();
    return icon;
}
