#include "ui/programIcon.h"

#include <QPainter>
#include <QPixmap>

namespace {

QPixmap drawIcon(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 60, 70));
    p.drawRoundedRect(QRectF(4, 24, 24, 6), 2, 2); // base
    p.setBrush(QColor(90, 90, 100));
    p.drawRect(QRectF(14, 12, 4, 13)); // shaft
    p.setBrush(QColor(200, 40, 40));
    p.drawEllipse(QRectF(9, 2, 14, 12)); // handle
    return pixmap;
}

} // namespace

QIcon programIcon() {
    QIcon icon;
    icon.addPixmap(drawIcon(16));
    icon.addPixmap(drawIcon(32));
    return icon;
}
