#pragma once

#include <cstdint>
#include <vector>

namespace sim {

// What the game-controller report (report ID 1) carries.
struct ControllerState {
    std::uint16_t axes[8] = {}; // X, Y, Z, pitch, roll, yaw, left knob, right knob; 10 bits
    std::uint8_t hat = 8;       // 0-15
    std::uint64_t buttons = 0;  // bit n: button n + 1
};

// The 20-byte report, or the 17-byte one without the knobs.
std::vector<std::uint8_t> controllerReport(const ControllerState& state, bool withKnobs);

// A state that moves with time: axes sweeping, one button walking, the hat turning.
ControllerState movingControllerState(std::uint64_t milliseconds);

} // namespace sim
