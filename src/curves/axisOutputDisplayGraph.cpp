#include "curves/axisOutputDisplayGraph.h"

#include <cmath>

void axisOutputDisplayGraph::setUp(std::int32_t bx, std::int32_t by, const std::int32_t* shown) {
    x = bx;
    y = by;
    width = 200;
    height = 12;
    value = shown;
    bitmap.colour = background;
    bitmap.pixelColour = storedPixel(background);
    bitmap.x = bx;
    bitmap.y = by;
    bitmap.width = width;
    bitmap.height = height;
    bitmap.setInfo(background);
}

std::uint32_t axisOutputDisplayGraph::columnColour(int i) const {
    const int d = i - width / 2;
    const int shade = static_cast<int>(std::trunc(static_cast<double>(d) * 510 / width));
    const int green = d <= 0 ? 255 + shade : 255;
    const int blue = d <= 0 ? 255 : 255 - shade;
    auto byte = [](int v) { return static_cast<std::uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v); };
    return rgb(60, byte(green), byte(blue));
}

void axisOutputDisplayGraph::draw(pixelSink& window) {
    int n = -1;
    if (!disabled) {
        const double f = static_cast<double>(value ? *value : 0) * (width - 2) / 1022;
        n = static_cast<int>(std::trunc(f));
        const double frac = f - n;
        for (int i = 0; i <= n && i + 1 < width; ++i) {
            std::uint32_t c = columnColour(i);
            if (i == n) {
                auto dim = [frac](std::uint32_t component) {
                    return static_cast<std::uint8_t>(std::trunc((component & 0xFF) * frac));
                };
                c = rgb(dim(c), dim(c >> 8), dim(c >> 16));
            }
            for (int row = 1; row <= height - 2; ++row)
                bitmap.setPixel(i + 1, row, c);
        }
    } else {
        for (int column = 1; column <= width - 2; ++column)
            for (int row = 1; row <= height - 2; ++row)
                bitmap.setPixel(column, row, disabledColour);
    }
    for (int column = 0; column < width; ++column) {
        bitmap.setPixel(column, 0, frameColour);
        bitmap.setPixel(column, height - 1, frameColour);
    }
    for (int row = 0; row < height; ++row) {
        bitmap.setPixel(0, row, frameColour);
        bitmap.setPixel(width - 1, row, frameColour);
    }
    window.show(bitmap);
    const int lastLit = disabled ? width - 2 : n + 1;
    for (int column = 1; column <= lastLit && column < width; ++column)
        for (int row = 1; row <= height - 2; ++row)
            bitmap.setPixel(column, row, bitmap.pixelColour);
}
