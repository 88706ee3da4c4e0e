#include "sim/bootmonitor/MonitorXmodem.h"

#include <algorithm>

namespace sim {

namespace {

constexpr std::uint8_t soh = 0x01;
constexpr std::uint8_t eot = 0x04;
constexpr std::uint8_t ack = 0x06;
constexpr std::uint8_t nak = 0x15;
constexpr std::uint8_t can = 0x18;
constexpr int byteTimeoutMs = 1000;
constexpr int tries = 10;

void putByte(PseudoTerminal& line, std::uint8_t byte) {
    line.put(&byte, 1);
}

} // namespace

std::uint16_t MonitorXmodem::crc16(const std::uint8_t* data, std::size_t size) {
    std::uint16_t crc = 0;
    for (std::size_t i = 0; i < size; ++i) {
        crc ^= static_cast<std::uint16_t>(data[i] << 8);
        for (int bit = 0; bit < 8; ++bit)
            crc = static_cast<std::uint16_t>(crc & 0x8000 ? (crc << 1) ^ 0x1021 : crc << 1);
    }
    return crc;
}

std::vector<std::uint8_t> MonitorXmodem::receive() {
    std::vector<std::uint8_t> data;
    std::uint8_t expected = 1;
    bool started = false;
    bool ask = true;
    int misses = 0;
    while (misses < tries) {
        // "C" until the first good block; a bad one is answered with NAK alone.
        if (!started && ask)
            putByte(line, 'C');
        ask = false;
        const int first = input(byteTimeoutMs);
        if (first < 0) {
            ++misses;
            ask = true;
            if (started)
                putByte(line, nak);
            continue;
        }
        if (first == eot) {
            putByte(line, ack);
            return data;
        }
        if (first == can)
            return {};
        if (first != soh)
            continue; // line noise between blocks
        std::uint8_t block[132];
        int got = 0;
        while (got < 132) {
            const int c = input(byteTimeoutMs);
            if (c < 0)
                break;
            block[got++] = static_cast<std::uint8_t>(c);
        }
        const bool whole = got == 132;
        const bool numbered = whole && static_cast<std::uint8_t>(block[0] + block[1]) == 0xFF;
        const std::uint16_t crc = static_cast<std::uint16_t>((block[130] << 8) | block[131]);
        if (!numbered || crc16(block + 2, 128) != crc) {
            ++misses;
            putByte(line, nak);
            continue;
        }
        started = true;
        if (block[0] == static_cast<std::uint8_t>(expected - 1)) {
            putByte(line, ack); // a repeat of the block we took already
            continue;
        }
        if (block[0] != expected) {
            ++misses;
            putByte(line, nak);
            continue;
        }
        if (naks > 0) {
            --naks;
            putByte(line, nak);
            continue;
        }
        data.insert(data.end(), block + 2, block + 130);
        ++expected;
        misses = 0;
        putByte(line, ack);
    }
    return {};
}

bool MonitorXmodem::send(const std::vector<std::uint8_t>& bytes) {
    bool asked = false;
    for (int i = 0; i < tries && !asked; ++i)
        asked = input(byteTimeoutMs) == 'C';
    if (!asked)
        return false;

    std::uint8_t number = 1;
    for (std::size_t offset = 0; offset < bytes.size(); offset += 128, ++number) {
        std::uint8_t block[133] = {};
        block[0] = soh;
        block[1] = number;
        block[2] = static_cast<std::uint8_t>(0xFF - number);
        std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(offset),
                    std::min<std::size_t>(128, bytes.size() - offset), block + 3);
        const std::uint16_t crc = crc16(block + 3, 128);
        bool acknowledged = false;
        for (int attempt = 0; attempt < tries && !acknowledged; ++attempt) {
            block[131] = static_cast<std::uint8_t>(crc >> 8);
            block[132] = static_cast<std::uint8_t>(crc & 0xFF);
            if (corruptBlocks > 0) {
                --corruptBlocks;
                block[132] ^= 0x5A;
            }
            line.put(block, sizeof block);
            // NAK, a repeated "C" or silence: send the block again.
            acknowledged = input(byteTimeoutMs) == ack;
            if (acknowledged && lostAcks > 0) {
                --lostAcks;
                acknowledged = false;
            }
        }
        if (!acknowledged)
            return false;
    }
    for (int i = 0; i < tries; ++i) {
        putByte(line, eot);
        if (input(byteTimeoutMs) == ack)
            return true;
    }
    return false;
}

} // namespace sim
