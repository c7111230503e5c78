#include "ui/widgets/TelephonePicture.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace ui {

namespace {

QPixmap receiver(int size, const QColor &colour)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    // The handle: a thick arc over the top.
    QPen handle(colour, s * 0.16, Qt::SolidLine, Qt::RoundCap);
    p.setPen(handle);
    p.drawArc(QRectF(s * 0.14, s * 0.18, s * 0.72, s * 0.62), 20 * 16, 140 * 16);
    // The ear and mouth pieces at its ends.
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawRoundedRect(QRectF(s * 0.04, s * 0.40, s * 0.30, s * 0.20), s * 0.07, s * 0.07);
    p.drawRoundedRect(QRectF(s * 0.66, s * 0.40, s * 0.30, s * 0.20), s * 0.07, s * 0.07);
    // The base the receiver rests on.
    QPainterPath base;
    base.addRoundedRect(QRectF(s * 0.22, s * 0.62, s * 0.56, s * 0.28), s * 0.06, s * 0.06);
    p.drawPath(base);
    return pixmap;
}

} // namespace

QIcon telephoneIcon()
{
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64})
        icon.addPixmap(receiver(size, QColor(0x1f, 0x5f, 0x9f)));
    return icon;
}

} // namespace ui
