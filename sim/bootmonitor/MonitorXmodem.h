#pragma once

#include "sim/bootmonitor/PseudoTerminal.h"

#include <cstdint>
#include <vector>

namespace sim {

// The monitor's end of XMODEM-CRC with 128-byte blocks, written apart from the
// program's so that each checks the other.
class MonitorXmodem {
public:
    explicit MonitorXmodem(PseudoTerminal& line) : line(line) {}

    // Faults to play: answer NAK to the next `naks` good blocks received; send the next
    // `corruptBlocks` blocks with a wrong CRC.
    int naks = 0;
    int corruptBlocks = 0;

    // Asks with "C" and takes blocks until EOT. Returns the data (whole blocks), or
    // an empty vector when the sender never started or gave up.
    std::vector<std::uint8_t> receive();
    // Waits for "C" and sends the bytes (the last block padded with zeros), then EOT.
    // False when the receiver never asked or stopped acknowledging.
    bool send(const std::vector<std::uint8_t>& bytes);

    // CRC-16/XMODEM, bit by bit.
    static std::uint16_t crc16(const std::uint8_t* data, std::size_t size);

private:
    PseudoTerminal& line;
};

} // namespace sim
