#pragma once

#include "device/exchangeWindow.h"

#include <cstdint>
#include <functional>

// Pieces shared by the files of the settings exchange; not for other callers.
namespace sendReceive::detail {

// Finds the joystick's serial port (or takes the one chosen) and connects to it.
bool reconnectSerial();

// Writes the freshly rebuilt packet list in one block and checks the echo.
bool writeBlockAndCheckEcho();

// The joystick's answer on the serial port, at most `capacity` bytes: what the first
// poll that finds bytes takes, completed by what follows without a pause (see
// serialSettleMicroseconds) until `wanted` says it is whole. `wanted` gets the bytes
// so far and returns the length of the whole answer, or 0 while it cannot tell.
// Returns the count, 0 when the port stopped being connected, -1 when nothing arrived
// in time.
using answerLength = std::function<int(const std::uint8_t* bytes, int count)>;
int waitForSerialBytes(std::uint8_t* buffer, unsigned capacity, const answerLength& wanted);

void show(const char* text, const char* caption);

} // namespace sendReceive::detail
