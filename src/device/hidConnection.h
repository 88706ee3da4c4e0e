#pragma once

#include "platform/hid.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>

// The joystick's HID interface: single 7-byte packets in output and input reports of
// report ID 2, verified sends and request/reply exchanges. Process-wide state, used
// from one thread.
namespace hidConnection {

inline constexpr int attempts = 35;
inline constexpr int attemptSleepMilliseconds = 3;
inline constexpr int readWaitMilliseconds = 16;
inline constexpr std::size_t outputReportSize = 8;
inline constexpr std::size_t inputBufferSize = 65;
inline constexpr std::size_t readSize = 32;
inline constexpr std::uint8_t controllerReportId = 1;
inline constexpr std::uint8_t packetReportId = 2;
// The failure value of the requests: all bits set.
inline constexpr std::uint32_t noReply = 0xFFFFFFFFu;

// Path of the matched interface; every write and read goes to it.
extern std::string devicePath;
// Started when a timer-driven receive begins (by the settings exchange).
extern std::chrono::steady_clock::time_point receiveTimeout;
extern std::int32_t packetsReceived;
extern std::uint32_t packetsExpected;
extern std::uint8_t lastPacket[7];
extern bool isConnected;
extern std::uint8_t outputBuffer[outputReportSize];
extern std::uint8_t inputBuffer[inputBufferSize];
// Why the last search did not connect although the joystick's interface is present:
// permissionDenied means the user may not open it (a udev rule is missing).
extern platform::hid::openError lastOpenError;
// Non-empty: the search takes only the interface at this path (the simulated joystick
// of --simulate, which a real joystick plugged in must not stand in for).
extern std::string onlyPath;

// Also clears onlyPath.
void init();
// Searches the HID interfaces for the joystick and opens it.
bool connectDevice();

void setOutput(std::uint8_t b0, std::uint8_t b1, std::uint8_t b2, std::uint8_t b3, std::uint8_t b4,
               std::uint8_t b5, std::uint8_t b6);
void setOutputFromParser();
// False when not connected; otherwise writes the output report and returns true
// whether or not the write went through.
bool sendValues();
// Bytes of the next input report read into inputBuffer; 0 when not connected, on
// failure or when none arrived within 16 ms (inputBuffer is then all zero).
int receiveValues();
bool valuesMatch();
// Writes the packet in settingsParser::data until the joystick echoes it, at most 35
// times. The shape of the codec's output callback.
bool sendVerify();

// Reply recognisers over the current inputBuffer.
std::uint32_t numberOfPackets(); // 0 when not a count reply
std::uint32_t parseFirmware();   // noReply when not that reply
std::uint32_t parseErrorsMisc();
std::uint32_t parseErrorsLC();
std::uint32_t knobValue();

// The count the joystick announces (echoed back when accepted), or 0.
std::uint32_t sendRequestSettings();
std::uint32_t sendRequestFirmwareVersion(); // noReply on failure
std::uint32_t sendRequestKnobValue();       // noReply on failure
// 0 when not connected; noReply when the joystick does not answer, so a lost reply
// never reads as "no errors".
std::uint32_t sendRequestErrorsMisc();
std::uint32_t sendRequestErrorsLC();
void sendGibberish(int count);

} // namespace hidConnection
