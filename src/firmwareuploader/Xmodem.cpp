#include "firmwareuploader/Xmodem.h"

#include "firmwareuploader/Samba.h"

#include <algorithm>
#include <cstring>

namespace {

void buildBlock(std::uint8_t* block, std::uint8_t number, const std::uint8_t* data, int count) {
    block[0] = Xmodem::soh;
    block[1] = number;
    block[2] = static_cast<std::uint8_t>(~number);
    std::memset(block + 3, 0, Xmodem::dataSize);
    std::memcpy(block + 3, data, static_cast<std::size_t>(count));
    Samba::crc16Add(block);
}

} // namespace

void Xmodem::send(SerialPort& port, const std::uint8_t* buffer, int size) {
    bool started = false;
    for (int i = 0; i < retries && !started; ++i)
        started = port.get() == crcRequest;
    if (!started)
        throw SambaError();

    std::uint8_t block[blockSize];
    std::uint8_t number = 1;
    for (int offset = 0; offset < size; offset += dataSize, ++number) {
        buildBlock(block, number, buffer + offset, std::min(dataSize, size - offset));
        bool acknowledged = false;
        for (int attempt = 0; attempt < retries && !acknowledged; ++attempt) {
            if (port.write(block, blockSize) != blockSize)
                throw SambaError();
            acknowledged = port.get() == ack;
        }
        if (!acknowledged)
            throw SambaError();
    }

    for (int i = 0; i < retries; ++i) {
        port.put(eot);
        if (port.get() == ack)
            return;
    }
    throw SambaError();
}

void Xmodem::receive(SerialPort& port, std::uint8_t* buffer, int size) {
    std::uint8_t block[blockSize];
    // Counted whole: after 256 blocks the number on the wire is 1 again, but only the
    // first block of the transfer is asked for with "C".
    for (int remaining = size, index = 1; remaining > 0; ++index) {
        const std::uint8_t number = static_cast<std::uint8_t>(index);
        const bool first = index == 1;
        bool received = false;
        for (int attempt = 0; attempt < retries && !received; ++attempt) {
            if (first)
                port.put(crcRequest);
            if (port.read(block, blockSize) != blockSize || block[0] != soh) {
                if (!first)
                    port.put(nak);
                continue;
            }
            const bool crcGood = Samba::crc16Check(block);
            // A sender that missed our ACK repeats the previous block: acknowledge it
            // again and drop it, as XMODEM receivers do.
            if (!first && crcGood && block[1] == static_cast<std::uint8_t>(number - 1)) {
                port.put(ack);
                continue;
            }
            if (block[1] != number || !crcGood) {
                if (!first)
                    port.put(nak);
                continue;
            }
            port.put(ack);
            const int count = std::min(remaining, dataSize);
            std::memcpy(buffer + (size - remaining), block + 3, static_cast<std::size_t>(count));
            remaining -= count;
            received = true;
        }
        if (!received)
            throw SambaError();
    }

    for (int i = 0; i < retries; ++i) {
        if (port.get() == eot) {
            port.put(ack);
            return;
        }
        port.put(nak);
    }
    throw SambaError();
}
