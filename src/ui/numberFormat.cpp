#include "ui/numberFormat.h"

#include <cmath>
#include <sstream>

std::string floatToString(float value) {
    std::ostringstream out;
    out << static_cast<double>(value);
    return out.str();
}

std::string floatToStringRounded(float value, float step) {
    const float r = std::round(value / step);
    return floatToString(step * r);
}

std::string intToString(int value) {
    return std::to_string(value);
}

float roundFloat(float value, float step) {
    return step * std::round(value / step);
}
