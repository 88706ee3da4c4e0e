#pragma once

#include "firmwareuploader/Flash.h"

// The older embedded flash controller: fixed registers at the top of the address
// space, one controller per plane, status with lock bits of its plane.
class EfcFlash : public Flash {
public:
    // Throws FlashGeometryError before any traffic unless planes is 1 or 2, pages
    // <= planes * 1024 and lockRegions <= 32.
    EfcFlash(Samba& samba, const std::string& name, std::uint32_t addr, std::uint32_t pages,
             std::uint32_t size, std::uint32_t planes, std::uint32_t lockRegions,
             std::uint32_t user, std::uint32_t stack, bool canBootFlash);

    void eraseAll() override;
    void eraseAuto(bool enable) override;

    bool isLocked() override;
    bool getLockRegion(std::uint32_t region) override;
    void setLockRegion(std::uint32_t region, bool enable) override;

    bool getSecurity() override;
    void setSecurity() override;

    bool getBod() override;
    void setBod(bool enable) override;
    bool canBod() override { return true; }

    bool getBor() override;
    void setBor(bool enable) override;
    bool canBor() override { return true; }

    bool getBootFlash() override;
    void setBootFlash(bool enable) override;
    bool canBootFlash() override { return bootFlashAvailable; }

    void writePage(std::uint32_t page) override;
    void readPage(std::uint32_t page, std::uint8_t* buffer) override;

    std::uint32_t readFSR0();
    std::uint32_t readFSR1();

    static constexpr std::uint32_t fmr0 = 0xFFFFFF60;
    static constexpr std::uint32_t fcr0 = 0xFFFFFF64;
    static constexpr std::uint32_t fsr0 = 0xFFFFFF68;
    static constexpr std::uint32_t fmr1 = 0xFFFFFF70;
    static constexpr std::uint32_t fcr1 = 0xFFFFFF74;
    static constexpr std::uint32_t fsr1 = 0xFFFFFF78;

    enum Command : std::uint8_t {
        writePageCommand = 0x01,
        setLockCommand = 0x02,
        clearLockCommand = 0x04,
        eraseAllCommand = 0x08,
        setGpBitCommand = 0x0B,
        clearGpBitCommand = 0x0D,
        setSecurityCommand = 0x0F,
    };

private:
    bool twoPlanes() const { return planes == 2; }
    void waitFSR();
    void writeFCR0(std::uint8_t command, std::uint32_t argument);
    void writeFCR1(std::uint8_t command, std::uint32_t argument);
    void setGpBit(std::uint32_t bit, bool enable);

    bool bootFlashAvailable;
};
