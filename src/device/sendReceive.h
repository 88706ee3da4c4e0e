#pragma once

#include "device/exchangeWindow.h"

#include <array>
#include <cstdint>
#include <string>

// Moving the whole settings set to and from the joystick over the first link that
// works (serial, serial after a fresh search, HID), with the user told the outcome.
namespace sendReceive {

// 1 while a settings link (serial or HID) is usable, else 0.
extern std::int32_t activeState;
// 0 serial, 1 HID, 2 the boot monitor was seen on a serial port, 3 none.
extern std::int32_t currentConnection;

inline constexpr std::int32_t connectionSerial = 0;
inline constexpr std::int32_t connectionHid = 1;
inline constexpr std::int32_t connectionBootMonitor = 2;
inline constexpr std::int32_t connectionNone = 3;

// Which links the exchange may use. The window program keeps the defaults; the CLI
// narrows them for --hid and --port.
struct linkChoice {
    bool useSerial = true;
    // Non-empty: this tty is the joystick's serial port, no search by hardware id.
    std::string serialPortPath;
};
extern linkChoice links;

// Waits of the exchange, in microseconds: longer than these is a time-out.
inline constexpr std::int64_t serialBlockTimeoutMicroseconds = 3'333'332;
inline constexpr std::int64_t hidReceiveTimeoutMicroseconds = 3'333'333;
// Once a serial answer has begun, bytes that follow within this pause still belong to
// it: the kernel and the USB link hand a block over in pieces (64-byte packets, tty
// buffer chunks), which a single poll would cut. A block sent in two writes further
// apart still fails, unless the program was itself held up longer than the gap (it
// then finds both parts queued and cannot tell them apart).
inline constexpr std::int64_t serialSettleMicroseconds = 15'000;
// Reports read per tick of the HID receive timer.
inline constexpr int hidReadsPerTick = 10;
// A serial receive carries at most this many packets (4096 bytes).
inline constexpr std::int32_t maxSerialPackets = 585;
inline constexpr unsigned serialBufferSize = 4096;

// Back to the state before any probe: no link, default link choice.
void reset();

// Re-examines both links; true only when none was active before and one is now.
bool tryConnectionState(exchangeWindow& window);

// Sends all settings over the first link that works and tells the outcome.
bool sendSettings(exchangeWindow& window);
// Rebuilds the packet list, writes it to the serial port in one block and checks the
// echo; no messages. False when the port is not connected.
bool sendSettingsViaSerial();
// Sends every packet with the verified HID send; false at the first one not echoed.
bool sendSettingsViaHID();

// Receives all settings over the first link that works. Over HID the transfer goes
// on in the ticks of timer 1, which report the outcome themselves.
bool receiveSettings(exchangeWindow& window, bool showMessage);
// Asks for the whole block over serial and parses it; false on a time-out, a count
// outside 1..585 or a block that came short (whose whole packets are still parsed).
bool receiveSettingsViaSerial(exchangeWindow& window);
// Asks for the packet count over HID and starts timer 1; false, with the outcome
// shown, when the joystick announced none.
bool startReceiveSettingsViaHID(exchangeWindow& window);
// One tick of timer 1 during a HID receive.
void timerLoopReceiveSettings(exchangeWindow& window);

// The joystick's two error words as text, one line per set bit.
std::string makeErrorString(unsigned int miscErrors, unsigned int lcErrors);

extern const std::array<const char*, 8> miscErrorStrings;
extern const std::array<const char*, 16> lcErrorStrings;

} // namespace sendReceive
