#pragma once

#include "sim/targets/FlashTarget.h"

namespace sim {

// The enhanced embedded flash controller: one register bank per plane (the second
// 0x200 above the first), commands keyed with 0x5A, query results in the result
// register, general-purpose bits shared by the chip.
class EefcController : public FlashTarget {
public:
    EefcController(const geometry& g, std::uint32_t regs);

    static constexpr std::uint32_t fmr = 0x000;
    static constexpr std::uint32_t fcr = 0x004;
    static constexpr std::uint32_t fsr = 0x008;
    static constexpr std::uint32_t frr = 0x00C;
    static constexpr std::uint32_t planeStride = 0x200;

    static constexpr std::uint32_t fsrReady = 1u << 0;
    static constexpr std::uint32_t fsrCommandError = 1u << 1;
    static constexpr std::uint32_t fsrLockError = 1u << 2;

    // The mode register of a plane as last written.
    std::uint32_t modeRegister(std::uint32_t plane);
    std::uint32_t gpBits();
    void setGpBits(std::uint32_t bits);

    bool readWord(TargetMemory& memory, std::uint32_t address, std::uint32_t& value) override;
    bool writeWord(TargetMemory& memory, std::uint32_t address, std::uint32_t value) override;

private:
    struct bank {
        std::uint32_t mode = 0;
        std::uint32_t errors = 0;
        std::uint32_t result = 0;
    };
    // The plane whose bank holds `address`, or -1.
    int bankOf(std::uint32_t address) const;
    void execute(TargetMemory& memory, std::uint32_t plane, std::uint32_t command,
                 std::uint32_t argument);

    std::uint32_t regs;
    std::vector<bank> banks;
    std::uint32_t gp = 0;
};

} // namespace sim
