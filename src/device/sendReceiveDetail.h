#pragma once

#include "device/exchangeWindow.h"

#include <cstdint>

// Pieces shared by the files of the settings exchange; not for other callers.
namespace sendReceive::detail {

// Finds the joystick's serial port (or takes the one chosen) and connects to it.
bool reconnectSerial();

// Writes the freshly rebuilt packet list in one block and checks the echo.
bool writeBlockAndCheckEcho();

// Bytes queued on the serial port at the first poll that finds any, at most
// `capacity`: the count, 0 when the port stopped being connected, -1 when nothing
// arrived in time.
int waitForSerialBytes(std::uint8_t* buffer, unsigned capacity);

void show(const char* text, const char* caption);

} // namespace sendReceive::detail
