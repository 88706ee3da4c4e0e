#pragma once

#include "sim/bootmonitor/BootMonitor.h"
#include "sim/bootmonitor/TargetMemory.h"
#include "sim/joystick/BootEntry.h"

#include <functional>

namespace sim {

// The boot monitor the simulated joystick restarts into: a chip put into its own
// target memory by `installChip`, served on a port the monitor lists itself. The
// chip's reset request brings the joystick's firmware back.
class MonitorSession : public BootMonitorSession {
public:
    MonitorSession(const std::function<void(TargetMemory&)>& installChip,
                   const BootMonitorOptions& options, std::function<void()> restart);
    ~MonitorSession() override;

    TargetMemory& target() { return memory; }
    BootMonitor& monitor() { return *server; }

private:
    TargetMemory memory; // first: the monitor serves it
    std::unique_ptr<BootMonitor> server;
};

// The hook for SerialJoystickOptions::bootMonitor.
BootMonitorFactory monitorFactory(std::function<void(TargetMemory&)> installChip,
                                  BootMonitorOptions options = {});

} // namespace sim
