#pragma once

#include <QImage>

// The picture behind the handle-centre dialog's sliders: a grey line drawing of the
// handle on white, from the front on the left and from the side on the right,
// 584 x 355 pixels.
QImage handlePicture();
