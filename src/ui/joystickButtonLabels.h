#pragma once

#include <array>

// Names of the joystick's 32 buttons; entry n is button n (bit n of every button mask).
extern const std::array<const char*, 32> joystickButtonLabels;
