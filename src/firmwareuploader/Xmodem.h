#pragma once

#include "firmwareuploader/SerialPort.h"

#include <cstdint>

// XMODEM with CRC-16 and 128-byte blocks, as the monitor uses it on a plain serial
// line. Both directions throw SambaError once their retries are used up.
class Xmodem {
public:
    static constexpr std::uint8_t soh = 0x01;
    static constexpr std::uint8_t eot = 0x04;
    static constexpr std::uint8_t ack = 0x06;
    static constexpr std::uint8_t nak = 0x15;
    static constexpr std::uint8_t crcRequest = 'C';
    static constexpr int blockSize = 133;
    static constexpr int dataSize = 128;
    static constexpr int retries = 5;

    // Waits for the receiver's "C", sends the buffer in blocks (the last one padded
    // with zeros), then ends with EOT.
    static void send(SerialPort& port, const std::uint8_t* buffer, int size);
    // Asks for CRC blocks with "C", keeps `size` bytes of them and answers the
    // sender's EOT.
    static void receive(SerialPort& port, std::uint8_t* buffer, int size);
};
