#include "firmwareuploader/EefcFlash.h"

#include "firmwareuploader/PlaneStatus.h"
#include "firmwareuploader/Samba.h"

#include <chrono>
#include <thread>

namespace {

constexpr const char* source = "firmwareuploader/EefcFlash";

// Six wait states; every other mode bit clear.
constexpr std::uint32_t fmrValue = 0x600;

// General-purpose bit numbers.
constexpr std::uint32_t gpSecurity = 0;
constexpr std::uint32_t gpBod = 1;
constexpr std::uint32_t gpBor = 2;
constexpr std::uint32_t gpBootFlashWithBrownout = 3;
constexpr std::uint32_t gpBootFlashWithoutBrownout = 1;

std::uint32_t checkedPages(std::uint32_t pages, std::uint32_t planes, std::uint32_t lockRegions) {
    FlashGeometryError::require(planes == 1 || planes == 2, "planes == 1 || planes == 2", source);
    FlashGeometryError::require(pages <= 2048, "pages <= 2048", source);
    FlashGeometryError::require(lockRegions <= 32, "lockRegions <= 32", source);
    return pages;
}

} // namespace

EefcFlash::EefcFlash(Samba& samba, const std::string& name, std::uint32_t addr, std::uint32_t pages,
                     std::uint32_t size, std::uint32_t planes, std::uint32_t lockRegions,
                     std::uint32_t user, std::uint32_t stack, std::uint32_t regs, bool canBrownout)
    : Flash(samba, name, addr, checkedPages(pages, planes, lockRegions), size, planes, lockRegions,
            user, stack),
      regs(regs), canBrownout(canBrownout) {
    samba.writeWord(regs + fmrOffset, fmrValue);
    if (twoPlanes())
        samba.writeWord(regs + plane1Offset + fmrOffset, fmrValue);
}

void EefcFlash::waitFSR() {
    waitPlanesReady(samba, regs + fsrOffset, regs + plane1Offset + fsrOffset, twoPlanes() ? 2 : 1);
}

void EefcFlash::writeFCR0(std::uint8_t command, std::uint32_t argument) {
    samba.writeWord(regs + fcrOffset, 0x5A000000u | (argument << 8) | command);
}

void EefcFlash::writeFCR1(std::uint8_t command, std::uint32_t argument) {
    samba.writeWord(regs + plane1Offset + fcrOffset, 0x5A000000u | (argument << 8) | command);
}

std::uint32_t EefcFlash::readFRR0() {
    return samba.readWord(regs + frrOffset);
}
std::uint32_t EefcFlash::readFRR1() {
    return samba.readWord(regs + plane1Offset + frrOffset);
}

void EefcFlash::eraseAll() {
    waitFSR();
    writeFCR0(eraseAllCommand, 0);
    if (twoPlanes()) {
        waitFSR();
        writeFCR1(eraseAllCommand, 0);
    }
}

bool EefcFlash::isLocked() {
    waitFSR();
    writeFCR0(getLockCommand, 0);
    waitFSR();
    if (readFRR0())
        return true;
    if (twoPlanes()) {
        writeFCR1(getLockCommand, 0);
        waitFSR();
        if (readFRR1())
            return true;
    }
    return false;
}

bool EefcFlash::getLockRegion(std::uint32_t region) {
    if (region >= lockRegionCount)
        throw FlashRegionError();
    std::uint32_t half = lockRegionCount / 2;
    waitFSR();
    if (twoPlanes() && region >= half) {
        writeFCR1(getLockCommand, 0);
        waitFSR();
        return readFRR1() & (1u << (region - half));
    }
    writeFCR0(getLockCommand, 0);
    waitFSR();
    return readFRR0() & (1u << region);
}

void EefcFlash::setLockRegion(std::uint32_t region, bool enable) {
    if (region >= lockRegionCount)
        throw FlashRegionError();
    if (getLockRegion(region) == enable)
        return;
    waitFSR();
    std::uint8_t command = enable ? setLockCommand : clearLockCommand;
    std::uint32_t half = lockRegionCount / 2;
    if (twoPlanes() && region >= half)
        writeFCR1(command, (region - half) * pages / lockRegionCount);
    else
        writeFCR0(command, region * pages / lockRegionCount);
}

std::uint32_t EefcFlash::readGpBits() {
    waitFSR();
    writeFCR0(getGpBitsCommand, 0);
    waitFSR();
    return readFRR0();
}

void EefcFlash::writeGpBit(std::uint32_t bit, bool enable) {
    waitFSR();
    writeFCR0(enable ? setGpBitCommand : clearGpBitCommand, bit);
}

bool EefcFlash::getSecurity() {
    return readGpBits() & (1u << gpSecurity);
}

void EefcFlash::setSecurity() {
    writeGpBit(gpSecurity, true);
}

bool EefcFlash::getBod() {
    return canBrownout && (readGpBits() & (1u << gpBod));
}

void EefcFlash::setBod(bool enable) {
    if (canBrownout)
        writeGpBit(gpBod, enable);
}

bool EefcFlash::getBor() {
    return canBrownout && (readGpBits() & (1u << gpBor));
}

void EefcFlash::setBor(bool enable) {
    if (canBrownout)
        writeGpBit(gpBor, enable);
}

bool EefcFlash::getBootFlash() {
    std::uint32_t bit = canBrownout ? gpBootFlashWithBrownout : gpBootFlashWithoutBrownout;
    return readGpBits() & (1u << bit);
}

void EefcFlash::setBootFlash(bool enable) {
    writeGpBit(canBrownout ? gpBootFlashWithBrownout : gpBootFlashWithoutBrownout, enable);
    waitFSR();
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
}

void EefcFlash::writePage(std::uint32_t page) {
    if (page >= pages)
        throw FlashPageError();
    wordCopy.setDstAddr(addr + page * size);
    wordCopy.setSrcAddr(currentPageBuffer());
    switchPageBuffer();
    waitFSR();
    wordCopy.runv();
    std::uint8_t command = eraseAutoEnabled ? eraseWritePageCommand : writePageCommand;
    std::uint32_t half = pages / 2;
    if (twoPlanes() && page >= half)
        writeFCR1(command, page - half);
    else
        writeFCR0(command, page);
}

void EefcFlash::readPage(std::uint32_t page, std::uint8_t* buffer) {
    if (page >= pages)
        throw FlashPageError();
    // The applet copies the page into the current RAM buffer; it is read from there.
    wordCopy.setDstAddr(currentPageBuffer());
    wordCopy.setSrcAddr(addr + page * size);
    waitFSR();
    wordCopy.runv();
    samba.read(currentPageBuffer(), buffer, static_cast<int>(size));
}
