#pragma once

#include "firmwareuploader/Flash.h"

// The non-volatile memory controller of Cortex-M0+ parts. The first 8 KiB of flash
// hold the boot monitor and are never offered, erased or written.
class NvmFlash : public Flash {
public:
    NvmFlash(Samba& samba, const std::string& name, std::uint32_t addr, std::uint32_t pages,
             std::uint32_t size, std::uint32_t planes, std::uint32_t lockRegions,
             std::uint32_t user, std::uint32_t stack, std::uint32_t regs, bool canBrownout);

    // Pages from `address()` to the end of the flash.
    std::uint32_t numPages() override;

    void eraseAll() override;
    // The controller erases by rows; there is no automatic erase to switch.
    void eraseAuto(bool) override {}

    bool isLocked() override;
    bool getLockRegion(std::uint32_t region) override;
    void setLockRegion(std::uint32_t region, bool enable) override;
    std::uint32_t getAddressByRegion(std::uint32_t region);

    bool getSecurity() override;
    void setSecurity() override;

    bool getBod() override;
    void setBod(bool enable) override;
    bool canBod() override { return canBrownout; }

    bool getBor() override;
    void setBor(bool enable) override;
    bool canBor() override { return canBrownout; }

    bool getBootFlash() override { return true; }
    void setBootFlash(bool enable) override;
    bool canBootFlash() override { return true; }

    void writePage(std::uint32_t page) override;
    void readPage(std::uint32_t page, std::uint8_t* buffer) override;

    bool nvmIsReady();
    void executeNvmCommand(std::uint32_t command);

    static constexpr std::uint32_t ctrlaOffset = 0x00;
    static constexpr std::uint32_t ctrlbOffset = 0x04;
    static constexpr std::uint32_t intflagOffset = 0x14;
    static constexpr std::uint32_t statusOffset = 0x18;
    static constexpr std::uint32_t addrOffset = 0x1C;
    static constexpr std::uint32_t lockOffset = 0x20;
    static constexpr std::uint32_t brownoutRegister = 0x40000834;

    enum Command : std::uint32_t {
        eraseRowCommand = 0xA502,
        writePageCommand = 0xA504,
        lockRegionCommand = 0xA540,
        unlockRegionCommand = 0xA541,
        pageBufferClearCommand = 0xA544,
        setSecurityBitCommand = 0xA545,
    };

private:
    void waitReady();
    void clearStatusErrors();
    std::uint32_t readReg(std::uint32_t offset);
    void writeReg(std::uint32_t offset, std::uint32_t value);

    std::uint32_t regs;
    bool canBrownout;
};
