#pragma once

#include <string>

namespace sendReceive {

// When the last probe found the joystick's HID interface or serial port but was not
// allowed to open it: what happened and how to grant access (udev rule, group
// membership). Empty otherwise.
std::string accessHint();

} // namespace sendReceive
