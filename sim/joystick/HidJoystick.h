#pragma once

#include "platform/usbDevices.h"
#include "sim/joystick/ControllerReport.h"
#include "sim/joystick/JoystickState.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace sim {

struct HidJoystickOptions {
    // Echoes and replies arrive this long after the output report, as on the next poll
    // of the interrupt endpoint.
    int replyLatencyMs = 1;
    // A game-controller report this often; 0 for none.
    int controllerPeriodMs = 4;
    // A packet of a settings block is sent again this often until it is echoed.
    int blockRepeatMs = 2;
    // 20-byte reports with the knobs, or the 17-byte form.
    bool knobOutput = true;
    std::string path = "sim:hidraw/joystick";
};

// The joystick's HID interface, in-process: opened through platform::hid under its
// path and listed in platform::usbDevices with the joystick's vendor and product.
// Every open handle has its own queue of input reports, as a hidraw node has.
class HidJoystick {
public:
    explicit HidJoystick(JoystickState& state, HidJoystickOptions options = {});
    ~HidJoystick();
    HidJoystick(const HidJoystick&) = delete;
    HidJoystick& operator=(const HidJoystick&) = delete;

    const std::string& path() const { return devicePath; }

    // Unplugging ends every open handle (reads and writes fail) and removes the
    // listing; plugging lists it again for new opens.
    void unplug();
    void plug();

    // A fixed controller state instead of the moving one; nullopt moves again.
    void setControllerState(std::optional<ControllerState> fixed);
    void setKnobOutput(bool withKnobs);

    // The packets of every output report of ID 2 received, oldest first.
    std::vector<packet> received() const;
    // True while a settings block is being sent.
    bool sendingBlock() const;

    struct core;

private:
    std::shared_ptr<core> shared;
    std::string devicePath;
    platform::usbDevices::token registration = 0;
};

} // namespace sim
