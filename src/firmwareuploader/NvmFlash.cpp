#include "firmwareuploader/NvmFlash.h"

#include "firmwareuploader/Samba.h"

#include <chrono>
#include <cstdio>

namespace {

constexpr std::uint32_t monitorSize = 0x2000;
constexpr std::uint32_t pagesPerRow = 4;
constexpr std::uint32_t intflagReady = 1u << 0;
constexpr std::uint32_t ctrlbManualWrite = 1u << 7;
constexpr std::uint32_t statusSecurity = 1u << 8;
constexpr std::uint32_t bodEnable = 1u << 1;
constexpr std::uint32_t borEnable = 1u << 3;
constexpr std::uint32_t borAction = 1u << 4;
constexpr auto readyTimeLimit = std::chrono::seconds(1);

} // namespace

NvmFlash::NvmFlash(Samba& samba, const std::string& name, std::uint32_t addr, std::uint32_t pages,
                   std::uint32_t size, std::uint32_t planes, std::uint32_t lockRegions,
                   std::uint32_t user, std::uint32_t stack, std::uint32_t regs, bool canBrownout)
    : Flash(samba, name, addr, pages, size, planes, lockRegions, user, stack), regs(regs),
      canBrownout(canBrownout) {}

std::uint32_t NvmFlash::numPages() {
    return pages - monitorSize / pageSize();
}

std::uint32_t NvmFlash::readReg(std::uint32_t offset) {
    return samba.readWord(regs + offset);
}

void NvmFlash::writeReg(std::uint32_t offset, std::uint32_t value) {
    samba.writeWord(regs + offset, value);
}

bool NvmFlash::nvmIsReady() {
    return samba.readByte(regs + intflagOffset) & intflagReady;
}

// A controller that never gets ready would otherwise hold the program for good; the
// slowest command (a row erase) takes a few milliseconds.
void NvmFlash::waitReady() {
    const auto deadline = std::chrono::steady_clock::now() + readyTimeLimit;
    while (!nvmIsReady()) {
        if (std::chrono::steady_clock::now() > deadline)
            throw FlashCmdError();
    }
}

void NvmFlash::executeNvmCommand(std::uint32_t command) {
    waitReady();
    writeReg(ctrlaOffset, command);
    waitReady();
}

// Error flags are cleared by writing ones.
void NvmFlash::clearStatusErrors() {
    std::uint32_t status = readReg(statusOffset);
    writeReg(statusOffset, (status | 0xFFEB) & 0xFFFF);
}

void NvmFlash::eraseAll() {
    if (samba.canChipErase()) {
        samba.chipErase(addr);
        return;
    }
    // Row by row from the end of the monitor; a row is four pages.
    for (std::uint32_t page = pagesPerRow * (2048 / size);
         page < (pages / pagesPerRow) * pagesPerRow; page += pagesPerRow) {
        waitReady();
        clearStatusErrors();
        writeReg(addrOffset, page * size / 2);
        executeNvmCommand(eraseRowCommand);
    }
}

bool NvmFlash::isLocked() {
    return getLockRegion(0);
}

bool NvmFlash::getLockRegion(std::uint32_t region) {
    if (region >= lockRegionCount)
        throw FlashRegionError();
    // A clear bit means locked.
    return (readReg(lockOffset) & (1u << region)) == 0;
}

std::uint32_t NvmFlash::getAddressByRegion(std::uint32_t region) {
    if (region >= lockRegionCount)
        throw FlashRegionError();
    return (address() + region * (pageSize() * pages / lockRegionCount)) / 2;
}

void NvmFlash::setLockRegion(std::uint32_t region, bool enable) {
    if (region >= lockRegionCount)
        throw FlashRegionError();
    if (getLockRegion(region) == enable)
        return;
    std::uint32_t wordAddress = getAddressByRegion(region);
    if (!enable)
        wordAddress &= 0x1FFFFF;
    writeReg(addrOffset, wordAddress);
    executeNvmCommand(enable ? lockRegionCommand : unlockRegionCommand);
}

bool NvmFlash::getSecurity() {
    return readReg(statusOffset) & statusSecurity;
}

void NvmFlash::setSecurity() {
    if (getSecurity())
        return;
    executeNvmCommand(setSecurityBitCommand);
    if (!getSecurity())
        throw NvmFlashCmdError("Error when setting security bit");
}

bool NvmFlash::getBod() {
    return samba.readWord(brownoutRegister) & bodEnable;
}

void NvmFlash::setBod(bool enable) {
    std::uint32_t value = samba.readWord(brownoutRegister);
    value = enable ? (value | bodEnable) : (value & ~bodEnable);
    samba.writeWord(brownoutRegister, value);
}

bool NvmFlash::getBor() {
    return samba.readWord(brownoutRegister) & borEnable;
}

void NvmFlash::setBor(bool enable) {
    std::uint32_t value = samba.readWord(brownoutRegister);
    value = enable ? (value | borEnable) : (value & ~(borEnable | borAction));
    samba.writeWord(brownoutRegister, value);
}

void NvmFlash::setBootFlash(bool) {
    std::printf("Ignoring set boot from flash flag.\n");
}

// Pages are counted from `address()`; the range ends with the flash (numPages()),
// not `pages` past it.
void NvmFlash::writePage(std::uint32_t page) {
    if (page >= numPages())
        throw FlashPageError();
    executeNvmCommand(pageBufferClearCommand);
    clearStatusErrors();
    writeReg(ctrlbOffset, readReg(ctrlbOffset) | ctrlbManualWrite);

    wordCopy.setDstAddr(addr + page * size);
    wordCopy.setSrcAddr(currentPageBuffer());
    switchPageBuffer();
    waitReady();
    wordCopy.runv();
    waitReady();
    writeReg(addrOffset, (addr + page * size) / 2);
    executeNvmCommand(writePageCommand);
}

void NvmFlash::readPage(std::uint32_t page, std::uint8_t* buffer) {
    if (page >= numPages())
        throw FlashPageError();
    samba.read(addr + page * pageSize(), buffer, static_cast<int>(pageSize()));
}
