#pragma once

#include <cstdint>

// The joystick's USB identity in normal operation, from the build configuration, and
// the boot monitor's, which the chip fixes.
#ifndef MARLOVAN_JOYSTICK_VID
#error "MARLOVAN_JOYSTICK_VID must be defined by the build"
#endif
#ifndef MARLOVAN_JOYSTICK_PID
#error "MARLOVAN_JOYSTICK_PID must be defined by the build"
#endif

namespace joystickIds {

inline constexpr std::uint16_t vendor = MARLOVAN_JOYSTICK_VID;
inline constexpr std::uint16_t product = MARLOVAN_JOYSTICK_PID;
inline constexpr std::uint16_t bootMonitorVendor = 0x239A;
inline constexpr std::uint16_t bootMonitorProduct = 0x000B;

} // namespace joystickIds
