#pragma once

#include <QIcon>

// The program's icon: a joystick handle on its base, drawn at 16 and 32 pixels.
QIcon programIcon();
