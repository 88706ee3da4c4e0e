#pragma once

#include "sim/targets/FlashTarget.h"

namespace sim {

// The older embedded flash controller of ARM7 parts: one controller per plane at
// fixed addresses, erase before programming unless the mode register's bit 7 is set,
// and status words that carry the lock bits of their plane.
class EfcController : public FlashTarget {
public:
    explicit EfcController(const geometry& g);

    static constexpr std::uint32_t base0 = 0xFFFFFF60;
    static constexpr std::uint32_t base1 = 0xFFFFFF70;
    static constexpr std::uint32_t fmr = 0x0;
    static constexpr std::uint32_t fcr = 0x4;
    static constexpr std::uint32_t fsr = 0x8;

    static constexpr std::uint32_t fsrReady = 1u << 0;
    static constexpr std::uint32_t fsrLockError = 1u << 2;
    static constexpr std::uint32_t fsrProgrammingError = 1u << 3;
    static constexpr std::uint32_t fsrSecurity = 1u << 4;
    static constexpr std::uint32_t fmrNoEraseBeforeProgramming = 1u << 7;

    std::uint32_t modeRegister(std::uint32_t plane);
    bool security();
    std::uint32_t gpBits();

    bool readWord(TargetMemory& memory, std::uint32_t address, std::uint32_t& value) override;
    bool writeWord(TargetMemory& memory, std::uint32_t address, std::uint32_t value) override;

private:
    struct controller {
        std::uint32_t mode = 0;
        std::uint32_t errors = 0;
    };
    int controllerOf(std::uint32_t address) const;
    void execute(TargetMemory& memory, std::uint32_t plane, std::uint32_t command,
                 std::uint32_t argument);

    std::vector<controller> controllers;
    bool securityBit = false;
    std::uint32_t gp = 0;
};

} // namespace sim
