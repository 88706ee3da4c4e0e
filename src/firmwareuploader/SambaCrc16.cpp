#include "firmwareuploader/Samba.h"

#include <array>

namespace {

// CRC-16/XMODEM: polynomial 0x1021, initial value 0, no reflection, no final XOR.
constexpr std::array<std::uint16_t, 256> crcTable = [] {
    std::array<std::uint16_t, 256> table{};
    for (int i = 0; i < 256; ++i) {
        std::uint16_t crc = static_cast<std::uint16_t>(i << 8);
        for (int bit = 0; bit < 8; ++bit)
            crc = static_cast<std::uint16_t>(crc & 0x8000 ? (crc << 1) ^ 0x1021 : crc << 1);
        table[static_cast<std::size_t>(i)] = crc;
    }
    return table;
}();

} // namespace

std::uint16_t Samba::crc16AddByte(std::uint8_t byte, std::uint16_t crc) {
    return static_cast<std::uint16_t>((crc << 8) ^ crcTable[((crc >> 8) ^ byte) & 0xFF]);
}

std::uint16_t Samba::crc16Calc(const std::uint8_t* data, int length) {
    std::uint16_t crc = 0;
    for (int i = 0; i < length; ++i)
        crc = crc16AddByte(data[i], crc);
    return crc;
}

bool Samba::crc16Check(const std::uint8_t* block) {
    const std::uint16_t crc = crc16Calc(block + 3, 128);
    return block[131] == (crc >> 8) && block[132] == (crc & 0xFF);
}

void Samba::crc16Add(std::uint8_t* block) {
    const std::uint16_t crc = crc16Calc(block + 3, 128);
    block[131] = static_cast<std::uint8_t>(crc >> 8);
    block[132] = static_cast<std::uint8_t>(crc & 0xFF);
}
