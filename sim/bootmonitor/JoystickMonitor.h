#pragma once

// Wiring of the whole simulator, for consumers linking every simulator library
// (marlovan_sim): the simulated joystick whose 1200-baud touch brings up the boot
// monitor of its chip, a Cortex-M0+ part with its flash controller.

#include "sim/bootmonitor/MonitorSession.h"
#include "sim/joystick/Joystick.h"
#include "sim/targets/TargetChips.h"

namespace sim {

inline JoystickOptions withBootMonitor(JoystickOptions options = {},
                                       BootMonitorOptions monitorOptions = {}) {
    options.serialOptions.bootMonitor =
        monitorFactory([](TargetMemory& memory) { installNvmChip(memory); }, monitorOptions);
    return options;
}

} // namespace sim
