#pragma once

#include <cstdint>

// Layout of the word-copy routine: offsets into its code of the entry point and of
// the parameter words that follow the 32 bytes of Thumb code.
struct WordCopyArm {
    std::uint32_t dstAddr;
    std::uint32_t reset;
    std::uint32_t srcAddr;
    std::uint32_t stack;
    std::uint32_t start;
    std::uint32_t words;
    std::uint8_t code[52];
};
