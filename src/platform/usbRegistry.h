#pragma once

#include "platform/usbDevices.h"

#include <vector>

// The in-process entries behind platform::usbDevices, and the subscription of the
// watches to their changes. Internal to the platform layer.
namespace platform::usbDevices::registry {

std::vector<serialPort> serialPorts();
std::vector<hidInterface> hidInterfaces();

// A watch's subscription: `eventFd` (an eventfd) is signalled on every change, and
// the changes are queued until taken.
int subscribe();
void unsubscribe(int eventFd);
std::vector<event> take(int eventFd);

} // namespace platform::usbDevices::registry
