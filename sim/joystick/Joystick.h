#pragma once

#include "sim/joystick/HidJoystick.h"
#include "sim/joystick/JoystickState.h"
#include "sim/joystick/SerialJoystick.h"

#include <memory>

namespace sim {

struct JoystickOptions {
    bool serial = true;
    bool hid = true;
    SerialJoystickOptions serialOptions;
    HidJoystickOptions hidOptions;
};

// The simulated joystick with both of its links, as `--simulate` and the tests use it.
class Joystick {
public:
    explicit Joystick(JoystickOptions options = {})
        : serialLink(options.serial
                         ? std::make_unique<SerialJoystick>(joystickState, options.serialOptions)
                         : nullptr),
          hidLink(options.hid ? std::make_unique<HidJoystick>(joystickState, options.hidOptions)
                              : nullptr) {}

    JoystickState& state() { return joystickState; }
    JoystickFaults& faults() { return joystickState.faults; }
    SerialJoystick* serial() { return serialLink.get(); }
    HidJoystick* hid() { return hidLink.get(); }

    void unplug() {
        if (serialLink)
            serialLink->unplug();
        if (hidLink)
            hidLink->unplug();
    }
    void plug() {
        if (serialLink)
            serialLink->plug();
        if (hidLink)
            hidLink->plug();
    }

private:
    JoystickState joystickState; // first: the links use it
    std::unique_ptr<SerialJoystick> serialLink;
    std::unique_ptr<HidJoystick> hidLink;
};

} // namespace sim
