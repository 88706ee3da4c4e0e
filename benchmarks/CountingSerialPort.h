#pragma once

#include "firmwareuploader/SerialPort.h"

#include <cstdint>

// A serial port that passes everything to another one and counts the traffic: bytes
// in each direction and round trips (a read that follows a write, the host waiting
// for the target's answer).
class CountingSerialPort : public SerialPort {
public:
    struct counts {
        std::uint64_t bytesToTarget = 0;
        std::uint64_t bytesFromTarget = 0;
        std::uint64_t roundTrips = 0;
    };

    explicit CountingSerialPort(SerialPort::Ptr inner, counts& tally)
        : SerialPort(inner->name()), inner(std::move(inner)), tally(tally) {}

    bool open(int baud, int dataBits, Parity parity, StopBit stopBit) override {
        return inner->open(baud, dataBits, parity, stopBit);
    }
    void close() override { inner->close(); }
    bool isUsb() override { return inner->isUsb(); }

    int read(std::uint8_t* buffer, int size) override {
        noteRead();
        int count = inner->read(buffer, size);
        if (count > 0)
            tally.bytesFromTarget += static_cast<std::uint64_t>(count);
        return count;
    }
    int write(const std::uint8_t* buffer, int size) override {
        wrote = true;
        int count = inner->write(buffer, size);
        if (count > 0)
            tally.bytesToTarget += static_cast<std::uint64_t>(count);
        return count;
    }
    int get() override {
        noteRead();
        int c = inner->get();
        if (c >= 0)
            ++tally.bytesFromTarget;
        return c;
    }
    int put(int c) override {
        wrote = true;
        int result = inner->put(c);
        if (result >= 0)
            ++tally.bytesToTarget;
        return result;
    }
    bool timeout(int milliseconds) override { return inner->timeout(milliseconds); }
    void flush() override { inner->flush(); }

private:
    void noteRead() {
        if (wrote)
            ++tally.roundTrips;
        wrote = false;
    }

    SerialPort::Ptr inner;
    counts& tally;
    bool wrote = false;
};
