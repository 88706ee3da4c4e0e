#pragma once

#include "sim/targets/FlashTarget.h"

namespace sim {

// The non-volatile memory controller of a Cortex-M0+ part: command register with its
// 0xA5 key, manual page writes through the page buffer, row erase, lock regions in
// which a clear bit means locked, and the security bit.
class NvmController : public FlashTarget {
public:
    NvmController(const geometry& g, std::uint32_t regs);

    static constexpr std::uint32_t ctrla = 0x00;
    static constexpr std::uint32_t ctrlb = 0x04;
    static constexpr std::uint32_t intflag = 0x14;
    static constexpr std::uint32_t status = 0x18;
    static constexpr std::uint32_t addr = 0x1C;
    static constexpr std::uint32_t lock = 0x20;

    static constexpr std::uint32_t statusLockError = 1u << 3;
    static constexpr std::uint32_t statusSecurity = 1u << 8;

    bool readWord(TargetMemory& memory, std::uint32_t address, std::uint32_t& value) override;
    bool writeWord(TargetMemory& memory, std::uint32_t address, std::uint32_t value) override;
    bool readByte(TargetMemory& memory, std::uint32_t address, std::uint8_t& value) override;
    bool writeByte(TargetMemory& memory, std::uint32_t address, std::uint8_t value) override;

private:
    bool isRegister(std::uint32_t address) const { return address - regs < 0x24; }
    std::uint32_t readRegister(std::uint32_t offset);
    void writeRegister(TargetMemory& memory, std::uint32_t offset, std::uint32_t value);
    void execute(TargetMemory& memory, std::uint32_t command);
    std::uint32_t addressedPage() const;

    std::uint32_t regs;
    std::uint32_t ctrlbValue = 0;
    std::uint32_t statusValue = 0;
    std::uint32_t addrValue = 0;
};

} // namespace sim
