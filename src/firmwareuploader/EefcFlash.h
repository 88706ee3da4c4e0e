#pragma once

#include "firmwareuploader/Flash.h"

// The enhanced embedded flash controller: registers at a chip-specific base (a second
// bank 0x200 above for the second plane), query results in the result register.
class EefcFlash : public Flash {
public:
    // Throws FlashGeometryError before any traffic unless planes is 1 or 2, pages
    // <= 2048 and lockRegions <= 32 (one result word of lock bits per plane).
    EefcFlash(Samba& samba, const std::string& name, std::uint32_t addr, std::uint32_t pages,
              std::uint32_t size, std::uint32_t planes, std::uint32_t lockRegions,
              std::uint32_t user, std::uint32_t stack, std::uint32_t regs, bool canBrownout);

    void eraseAll() override;
    void eraseAuto(bool enable) override { eraseAutoEnabled = enable; }

    bool isLocked() override;
    bool getLockRegion(std::uint32_t region) override;
    void setLockRegion(std::uint32_t region, bool enable) override;

    bool getSecurity() override;
    void setSecurity() override;

    bool getBod() override;
    void setBod(bool enable) override;
    bool canBod() override { return canBrownout; }

    bool getBor() override;
    void setBor(bool enable) override;
    bool canBor() override { return canBrownout; }

    bool getBootFlash() override;
    void setBootFlash(bool enable) override;
    bool canBootFlash() override { return true; }

    void writePage(std::uint32_t page) override;
    void readPage(std::uint32_t page, std::uint8_t* buffer) override;

    void writeFCR0(std::uint8_t command, std::uint32_t argument);
    void writeFCR1(std::uint8_t command, std::uint32_t argument);
    std::uint32_t readFRR0();
    std::uint32_t readFRR1();

    // Register offsets from `regs`; the second plane's bank is 0x200 above.
    static constexpr std::uint32_t fmrOffset = 0x000;
    static constexpr std::uint32_t fcrOffset = 0x004;
    static constexpr std::uint32_t fsrOffset = 0x008;
    static constexpr std::uint32_t frrOffset = 0x00C;
    static constexpr std::uint32_t plane1Offset = 0x200;

    enum Command : std::uint8_t {
        writePageCommand = 0x01,
        eraseWritePageCommand = 0x03,
        eraseAllCommand = 0x05,
        setLockCommand = 0x08,
        clearLockCommand = 0x09,
        getLockCommand = 0x0A,
        setGpBitCommand = 0x0B,
        clearGpBitCommand = 0x0C,
        getGpBitsCommand = 0x0D,
    };

private:
    bool twoPlanes() const { return planes == 2; }
    void waitFSR();
    std::uint32_t readGpBits();
    void writeGpBit(std::uint32_t bit, bool enable);

    std::uint32_t regs;
    bool canBrownout;
    bool eraseAutoEnabled = true;
};
