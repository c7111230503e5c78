#include "ui/widgets/ProductLogo.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace ui {

QPixmap productLogo(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient fill(0, 0, size, size);
    fill.setColorAt(0, QColor(0x1f, 0x5f, 0xb4));
    fill.setColorAt(1, QColor(0x0b, 0x2f, 0x6b));
    QPainterPath badge;
    const qreal m = size * 0.04;
    badge.addRoundedRect(QRectF(m, m, size - 2 * m, size - 2 * m), size * 0.18, size * 0.18);
    p.fillPath(badge, fill);
    // A circular arrow: work that comes round again.
    QPen ring(QColor(0xff, 0xc8, 0x3d), size * 0.06, Qt::SolidLine, Qt::RoundCap);
    p.setPen(ring);
    const QRectF arc(size * 0.16, size * 0.16, size * 0.68, size * 0.68);
    p.drawArc(arc, 30 * 16, 300 * 16);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setBold(true);
    font.setPixelSize(int(size * 0.42));
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(0, 0, size, size), Qt::AlignCenter, QStringLiteral("B"));
    return pixmap;
}

} // namespace ui
