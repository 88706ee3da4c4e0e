#include "ui/defaultFont.h"

#include <QApplication>
#include <QFontInfo>
#include <QWidget>

QFont* defaultFont = nullptr;

void createDefaultFont() {
    QFont font = QApplication::font();
    // The font's height in pixels, whether it was given in points or pixels.
    const int pixels = QFontInfo(font).pixelSize();
    if (pixels > 12)
        font.setPixelSize(12);
    delete defaultFont;
    defaultFont = new QFont(font);
}

void deleteDefaultFont() {
    delete defaultFont;
    defaultFont = nullptr;
}

void applyDefaultFont(QWidget* control) {
    if (defaultFont)
        control->setFont(*defaultFont);
}
