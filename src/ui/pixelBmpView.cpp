#include "ui/pixelBmpView.h"

#include <QPainter>
#include <cstring>

pixelBmpView::pixelBmpView(QWidget* parent, const pixelBmp& bmp) : QWidget(parent) {
    setGeometry(bmp.x, bmp.y, bmp.width, bmp.height);
    setAttribute(Qt::WA_OpaquePaintEvent);
    show(bmp);
}

void pixelBmpView::show(const pixelBmp& bmp) {
    if (bmp.width <= 0 || bmp.height <= 0 || !bmp.pixels()) {
        image = QImage();
        return;
    }
    // Stored pixels are blue, green, red, 0 with the bottom row first: RGB32 rows
    // (which ignore the fourth byte) in reverse order.
    image = QImage(bmp.width, bmp.height, QImage::Format_RGB32);
    const std::size_t rowBytes = static_cast<std::size_t>(bmp.width) * 4;
    for (int row = 0; row < bmp.height; ++row)
        std::memcpy(image.scanLine(row), bmp.pixels() + (bmp.height - 1 - row) * rowBytes,
                    rowBytes);
    update();
}

void pixelBmpView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!image.isNull())
        painter.drawImage(0, 0, image);
}
