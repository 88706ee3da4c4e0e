#pragma once

#include <cstdint>
#include <string>

namespace cli {

// A short human description of one 7-byte settings packet, read from its bytes alone
// ("mode A: autofire off, button 0, period 10"). Never fails: packets the joystick
// would refuse are described as invalid.
std::string describePacket(const std::uint8_t packet[7]);

// "E0 00 01 00 00 00 00"
std::string packetHex(const std::uint8_t packet[7]);

} // namespace cli
