#include "firmwareuploader/PosixSerialPort.h"

#include <chrono>

PosixSerialPort::PosixSerialPort(const std::string& name, bool isUsb)
    : SerialPort(name), usb(isUsb) {}

PosixSerialPort::~PosixSerialPort() {
    close();
}

std::string PosixSerialPort::devicePath() const {
    if (!portName.empty() && portName.front() == '/')
        return portName;
    return "/dev/" + portName;
}

bool PosixSerialPort::open(int baud, int dataBits, Parity parity, StopBit stopBit) {
    if (device.isOpen())
        return false;
    if (parity < ParityNone || parity > ParityEven || stopBit < StopBitOne || stopBit > StopBitTwo)
        return false;
    if (!device.open(devicePath()))
        return false;
    if (!device.setLine(baud, dataBits, static_cast<platform::tty::parity>(parity),
                        static_cast<platform::tty::stopBits>(stopBit)) ||
        !timeout(0x7FFFFFFF)) {
        device.close();
        return false;
    }
    return true;
}

void PosixSerialPort::close() {
    device.close();
}

bool PosixSerialPort::timeout(int milliseconds) {
    if (!device.isOpen())
        return false;
    readTimeoutMs = milliseconds < 0 ? 0 : milliseconds;
    return true;
}

int PosixSerialPort::read(std::uint8_t* buffer, int size) {
    if (!device.isOpen())
        return -1;
    if (size <= 0)
        return 0;
    // Each read waits up to the time-out; the bytes keep being taken while they come,
    // so the transfer ends only after a whole time-out without any.
    int got = 0;
    while (got < size) {
        const int count = device.read(buffer + got, static_cast<std::size_t>(size - got),
                                      std::chrono::milliseconds(readTimeoutMs));
        if (count < 0)
            return -1;
        if (count == 0)
            break;
        got += count;
    }
    return got;
}

int PosixSerialPort::write(const std::uint8_t* buffer, int size) {
    if (!device.isOpen())
        return -1;
    if (size <= 0)
        return 0;
    return device.write(buffer, static_cast<std::size_t>(size));
}

int PosixSerialPort::get() {
    std::uint8_t byte = 0;
    return read(&byte, 1) == 1 ? byte : -1;
}

int PosixSerialPort::put(int c) {
    const std::uint8_t byte = static_cast<std::uint8_t>(c & 0xFF);
    return write(&byte, 1) == 1 ? byte : -1;
}

void PosixSerialPort::flush() {
    platform::sleepMilliseconds(1);
}
