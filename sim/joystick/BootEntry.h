#pragma once

#include <functional>
#include <memory>

namespace sim {

// What the joystick turns into after the 1200-baud touch: the chip's boot monitor,
// on a port of its own that it registers itself. Destroying the session removes it.
class BootMonitorSession {
public:
    virtual ~BootMonitorSession() = default;
};

// Makes the boot monitor once the joystick's own port has gone. `restart` brings the
// joystick back from the monitor (the monitor's reset); it may be called from any
// thread, also from inside the session, and ends the session shortly after.
using BootMonitorFactory =
    std::function<std::unique_ptr<BootMonitorSession>(std::function<void()> restart)>;

} // namespace sim
