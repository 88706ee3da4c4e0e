#pragma once

#include <cstdint>
#include <memory>
#include <string>

// A byte-stream port under the monitor client. Every operation blocks on the calling
// thread; failures are reported through return values, never thrown.
class SerialPort {
public:
    // Values are fixed: they map one to one onto the line settings.
    enum Parity { ParityNone = 0, ParityOdd = 1, ParityEven = 2 };
    enum StopBit { StopBitOne = 0, StopBitOneFive = 1, StopBitTwo = 2 };

    using Ptr = std::unique_ptr<SerialPort>;

    explicit SerialPort(const std::string& name) : portName(name) {}
    virtual ~SerialPort() = default;
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;

    // False when already open (the port stays as it was) or when the device or a line
    // setting is refused (the port is closed then).
    virtual bool open(int baud = 115200, int dataBits = 8, Parity parity = ParityNone,
                      StopBit stopBit = StopBitOne) = 0;
    virtual void close() = 0;
    virtual bool isUsb() = 0;

    // Returns once `size` bytes arrived or the time-out ran out, with the count read
    // (possibly 0); -1 when closed or on failure.
    virtual int read(std::uint8_t* buffer, int size) = 0;
    // One write; the count written, or -1 when closed or on failure.
    virtual int write(const std::uint8_t* buffer, int size) = 0;
    // One byte as 0..255, or -1 (closed, failure, nothing within the time-out).
    virtual int get() = 0;
    // Writes the low 8 bits of c; returns that byte as 0..255, or -1.
    virtual int put(int c) = 0;

    // Read time-out from now on; false when closed.
    virtual bool timeout(int milliseconds) = 0;
    // A 1 ms pause; buffers are neither discarded nor drained.
    virtual void flush() = 0;

    virtual std::string name() const { return portName; }

protected:
    std::string portName;
};
