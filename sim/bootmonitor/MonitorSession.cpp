#include "sim/bootmonitor/MonitorSession.h"

#include <memory>
#include <utility>

namespace sim {

MonitorSession::MonitorSession(const std::function<void(TargetMemory&)>& installChip,
                               const BootMonitorOptions& options, std::function<void()> restart) {
    if (installChip)
        installChip(memory);
    // The joystick ends the session from its own thread once asked, so asking from
    // the monitor's thread is safe.
    memory.setResetHandler(std::move(restart));
    server = std::make_unique<BootMonitor>(memory, options);
}

MonitorSession::~MonitorSession() {
    // Stop serving before the memory it serves goes.
    server.reset();
}

BootMonitorFactory monitorFactory(std::function<void(TargetMemory&)> installChip,
                                  BootMonitorOptions options) {
    return [installChip = std::move(installChip),
            options = std::move(options)](std::function<void()> restart) {
        return std::unique_ptr<BootMonitorSession>(
            std::make_unique<MonitorSession>(installChip, options, std::move(restart)));
    };
}

} // namespace sim
