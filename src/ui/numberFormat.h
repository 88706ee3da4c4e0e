#pragma once

#include <string>

// Number texts shown in the edit boxes: the standard stream's default formatting
// (six significant digits, general notation).
std::string floatToString(float value);
// The value rounded to a multiple of `step` (halves away from zero), then formatted.
std::string floatToStringRounded(float value, float step);
std::string intToString(int value);
float roundFloat(float value, float step);
