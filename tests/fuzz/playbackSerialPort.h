#pragma once

#include "firmwareuploader/SerialPort.h"

#include <cstddef>
#include <cstdint>
#include <deque>

// A port whose far end answers from a script, as a monitor does: opening the port and
// every write or put lets the next answer arrive, and reads and gets take only what
// has arrived, returning short when that runs out (as a read that timed out).
//
// The script is a series of answers, each a length byte and that many bytes; an answer
// of length 255 runs on into the next one, for answers longer than that.
// Writes are taken whole or, when asked, five bytes at a time, or refused.
class playbackSerialPort : public SerialPort {
public:
    enum class writes { whole, piecewise, refused };

    playbackSerialPort(const std::uint8_t* script, std::size_t size, bool usb, writes mode)
        : SerialPort("fuzz"), script(script), remaining(size), usb(usb), mode(mode) {}

    bool open(int baud, int dataBits, Parity parity, StopBit stopBit) override;
    void close() override { opened = false; }
    bool isUsb() override { return usb; }
    int read(std::uint8_t* buffer, int size) override;
    int write(const std::uint8_t* buffer, int size) override;
    int get() override;
    int put(int c) override;
    bool timeout(int) override { return opened; }
    void flush() override {}

private:
    void nextAnswer();

    const std::uint8_t* script;
    std::size_t remaining;
    std::deque<std::uint8_t> arrived;
    bool usb;
    writes mode;
    bool opened = false;
};
