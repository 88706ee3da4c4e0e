#pragma once

#include "sim/bootmonitor/PseudoTerminal.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace sim {

// The monitor's end of XMODEM-CRC with 128-byte blocks, written apart from the
// program's so that each checks the other.
class MonitorXmodem {
public:
    // Bytes come from `input` (a byte or -1 after the time-out in milliseconds), so the
    // monitor sees and logs them; replies go to the line.
    MonitorXmodem(PseudoTerminal& line, std::function<int(int)> input)
        : line(line), input(std::move(input)) {}

    // Faults to play: answer NAK to the next `naks` good blocks received; send the next
    // `corruptBlocks` blocks with a wrong CRC;
    // `lostAcks` ACKs to blocks sent are taken as lost, so the block goes out again.
    int naks = 0;
    int corruptBlocks = 0;
    int lostAcks = 0;

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
    std::function<int(int)> input;
};

} // namespace sim
