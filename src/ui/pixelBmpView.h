#pragma once

#include "curves/pixelBmp.h"

#include <QImage>
#include <QWidget>

// Where a pixelBmp is copied to on a dialog: a child widget at the bitmap's position
// and size that shows the last picture copied to it. The pictures are drawn into the
// bitmap by the curves code and handed over with show().
class pixelBmpView : public QWidget, public pixelSink {
public:
    // Placed at the bitmap's (x, y) with its size; call after the bitmap is set up.
    pixelBmpView(QWidget* parent, const pixelBmp& bmp);

    using QWidget::show;
    void show(const pixelBmp& bmp) override;
    // The picture last shown, top row first.
    const QImage& picture() const { return image; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage image;
};
