#include "playbackSerialPort.h"

#include <algorithm>

void playbackSerialPort::nextAnswer() {
    bool more = true;
    while (more && remaining > 0) {
        const std::size_t length = std::min<std::size_t>(script[0], remaining - 1);
        more = script[0] == 255;
        arrived.insert(arrived.end(), script + 1, script + 1 + length);
        script += 1 + length;
        remaining -= 1 + length;
    }
}

bool playbackSerialPort::open(int, int, Parity, StopBit) {
    if (opened)
        return false;
    opened = true;
    nextAnswer();
    return true;
}

int playbackSerialPort::read(std::uint8_t* buffer, int size) {
    if (!opened || size < 0)
        return -1;
    const std::size_t n = std::min(arrived.size(), static_cast<std::size_t>(size));
    std::copy_n(arrived.begin(), n, buffer);
    arrived.erase(arrived.begin(), arrived.begin() + static_cast<std::ptrdiff_t>(n));
    return static_cast<int>(n);
}

int playbackSerialPort::write(const std::uint8_t*, int size) {
    if (!opened || size < 0 || mode == writes::refused)
        return -1;
    nextAnswer();
    return mode == writes::piecewise ? std::min(size, 5) : size;
}

int playbackSerialPort::get() {
    std::uint8_t byte;
    return read(&byte, 1) == 1 ? byte : -1;
}

int playbackSerialPort::put(int c) {
    if (!opened || mode == writes::refused)
        return -1;
    nextAnswer();
    return c & 0xFF;
}
