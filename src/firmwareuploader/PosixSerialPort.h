#pragma once

#include "firmwareuploader/SerialPort.h"
#include "platform/tty.h"

#include <string>

// A serial port on a tty device node. The name is the kernel's tty name ("ttyACM0",
// "pts/3"); a name with a leading "/" is used as the device path itself.
class PosixSerialPort : public SerialPort {
public:
    PosixSerialPort(const std::string& name, bool isUsb);
    ~PosixSerialPort() override;

    bool open(int baud = 115200, int dataBits = 8, Parity parity = ParityNone,
              StopBit stopBit = StopBitOne) override;
    void close() override;
    bool isUsb() override { return usb; }

    int read(std::uint8_t* buffer, int size) override;
    int write(const std::uint8_t* buffer, int size) override;
    int get() override;
    int put(int c) override;

    bool timeout(int milliseconds) override;
    void flush() override;

    // The device node opened for this port.
    std::string devicePath() const;

private:
    platform::tty device;
    bool usb;
    int readTimeoutMs = 0x7FFFFFFF;
};
