#pragma once

#include <cstddef>
#include <cstdint>

// The joystick's game-controller input report (report ID 1), read over HID for the
// live output display.
namespace joystickOutputParser {

inline constexpr std::size_t reportWithKnobsSize = 20;
inline constexpr std::size_t reportWithoutKnobsSize = 17;

// X, Y, Z, pitch, roll, yaw, left knob, right knob; 10-bit readings.
extern std::int32_t axisValues[8];
// Bit n: button n + 1 pressed (1-32 and the shifted 33-64).
extern std::uint64_t buttonVals;
extern std::int32_t hatVal; // 0-15
extern bool hasKnobOutput;

void setDefaults();
int getSingleButton(int n);
// Reads one input report; false (nothing changed) unless it is a game-controller report.
bool receiveAndParse();
// Unpacks a report of `size` bytes (report ID first); false unless it is one.
bool parseReport(const std::uint8_t* report, std::size_t size);

} // namespace joystickOutputParser
