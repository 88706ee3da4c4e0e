#include "ui/handlePicture.h"

#include <QPainter>
#include <QPainterPath>

namespace {

constexpr int pictureWidth = 584;
constexpr int pictureHeight = 355;
const QColor lineGrey(120, 120, 120);

// The stick's round base and the collar the handle stands in, centred at x.
void drawBase(QPainter& p, double x) {
    p.drawRoundedRect(QRectF(x - 80, 312, 160, 26), 6, 6);
    p.drawRect(QRectF(x - 30, 298, 60, 14));
}

// Seen from the front: a grip narrowing to the waist and widening to the head, with a
// hat switch on top and the two knobs on the sides of the head.
void drawFront(QPainter& p, double x) {
    QPainterPath grip;
    grip.moveTo(x - 28, 298);
    grip.cubicTo(x - 42, 230, x - 30, 160, x - 44, 110);
    grip.cubicTo(x - 58, 60, x - 46, 30, x, 28);
    grip.cubicTo(x + 46, 30, x + 58, 60, x + 44, 110);
    grip.cubicTo(x + 30, 160, x + 42, 230, x + 28, 298);
    p.drawPath(grip);
    p.drawEllipse(QPointF(x, 44), 10, 8);
    p.drawRoundedRect(QRectF(x - 60, 70, 12, 26), 4, 4);
    p.drawRoundedRect(QRectF(x + 48, 70, 12, 26), 4, 4);
    p.drawLine(QPointF(x - 36, 130), QPointF(x + 36, 130));
}

// Seen from the side (front to the left): a grip leaning back with the trigger under
// the head and the thumb buttons on its top.
void drawSide(QPainter& p, double x) {
    QPainterPath grip;
    grip.moveTo(x - 26, 298);
    grip.cubicTo(x - 36, 240, x - 38, 190, x - 30, 150);
    grip.cubicTo(x - 24, 120, x - 70, 90, x - 54, 52);
    grip.cubicTo(x - 40, 24, x + 20, 18, x + 44, 40);
    grip.cubicTo(x + 66, 62, x + 44, 110, x + 40, 160);
    grip.cubicTo(x + 36, 210, x + 38, 250, x + 26, 298);
    p.drawPath(grip);
    QPainterPath trigger;
    trigger.moveTo(x - 46, 96);
    trigger.cubicTo(x - 72, 104, x - 72, 130, x - 50, 136);
    p.drawPath(trigger);
    p.drawRoundedRect(QRectF(x - 18, 22, 22, 10), 3, 3);
    p.drawRoundedRect(QRectF(x + 12, 26, 18, 10), 3, 3);
}

} // namespace

QImage handlePicture() {
    QImage picture(pictureWidth, pictureHeight, QImage::Format_RGB32);
    if (picture.isNull())
        return picture;
    picture.fill(Qt::white);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(lineGrey, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    // Centred under the two sliders, which the dialog places 20 pixels to the right.
    for (const double x : {137.0, 346.0})
        drawBase(p, x);
    drawFront(p, 137.0);
    drawSide(p, 346.0);
    return picture;
}
