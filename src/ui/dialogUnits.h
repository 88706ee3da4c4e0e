#pragma once

#include <QRect>

// Dialog templates are laid out in dialog units of the original 9-point font at 96 DPI;
// this is the one conversion to pixels every template dialog uses.
namespace dialogUnits {

constexpr int x(int units) {
    return units * 7 / 4;
}
constexpr int y(int units) {
    return units * 15 / 8;
}

inline QRect rect(int left, int top, int width, int height) {
    return QRect(x(left), y(top), x(width), y(height));
}

} // namespace dialogUnits
