#pragma once

#include "sim/joystick/Joystick.h"

#include <cstdint>
#include <string>
#include <vector>

namespace cli {

// The built-in simulated joystick of --simulate. What it was sent outlives the
// process: its settings block is kept in a state file of the user's, read when the
// simulation starts and written back when it ends, so `--simulate send` followed by
// `--simulate receive` gives the same settings back.
class simulatedJoystick {
public:
    simulatedJoystick();
    ~simulatedJoystick();
    simulatedJoystick(const simulatedJoystick&) = delete;
    simulatedJoystick& operator=(const simulatedJoystick&) = delete;

    sim::Joystick& joystick() { return device; }
    std::string serialPortPath();

    // $XDG_RUNTIME_DIR/marlovan/simulated-joystick.jxc, or, without a usable runtime
    // directory, a directory of the user's own under the temporary directory.
    static std::string stateFilePath();

    // A stored block that a joystick could hold: whole packets, a start packet first,
    // at most 585 packets.
    static bool plausibleBlock(const std::vector<std::uint8_t>& block);

private:
    sim::Joystick device;
    std::vector<std::uint8_t> loaded;
};

} // namespace cli
