#include "firmwareuploader/EfcFlash.h"

#include "firmwareuploader/PlaneStatus.h"
#include "firmwareuploader/Samba.h"

namespace {

constexpr const char* source = "firmwareuploader/EfcFlash";

constexpr std::uint32_t fsrSecurity = 1u << 4;
constexpr std::uint32_t fsrBod = 1u << 8;
constexpr std::uint32_t fsrBor = 1u << 9;
constexpr std::uint32_t fsrBootFlash = 1u << 10;
constexpr std::uint32_t fsrLockBits = 0xFFFF0000u;
constexpr std::uint32_t fmrNoEraseBeforeProgramming = 1u << 7;

std::uint32_t checkedPages(std::uint32_t pages, std::uint32_t planes, std::uint32_t lockRegions) {
    FlashGeometryError::require(planes == 1 || planes == 2, "planes == 1 || planes == 2", source);
    FlashGeometryError::require(pages <= planes * 1024, "pages <= planes * 1024", source);
    FlashGeometryError::require(lockRegions <= 32, "lockRegions <= 32", source);
    return pages;
}

} // namespace

EfcFlash::EfcFlash(Samba& samba, const std::string& name, std::uint32_t addr, std::uint32_t pages,
                   std::uint32_t size, std::uint32_t planes, std::uint32_t lockRegions,
                   std::uint32_t user, std::uint32_t stack, bool canBootFlash)
    : Flash(samba, name, addr, checkedPages(pages, planes, lockRegions), size, planes, lockRegions,
            user, stack),
      bootFlashAvailable(canBootFlash) {
    // Pages are erased automatically as they are programmed.
    EfcFlash::eraseAuto(true);
}

std::uint32_t EfcFlash::readFSR0() {
    return samba.readWord(fsr0);
}
std::uint32_t EfcFlash::readFSR1() {
    return samba.readWord(fsr1);
}

void EfcFlash::waitFSR() {
    waitPlanesReady(samba, fsr0, fsr1, twoPlanes() ? 2 : 1);
}

void EfcFlash::writeFCR0(std::uint8_t command, std::uint32_t argument) {
    samba.writeWord(fcr0, 0x5A000000u | (argument << 8) | command);
}

void EfcFlash::writeFCR1(std::uint8_t command, std::uint32_t argument) {
    samba.writeWord(fcr1, 0x5A000000u | (argument << 8) | command);
}

void EfcFlash::eraseAuto(bool enable) {
    waitFSR();
    std::uint32_t mode = samba.readWord(fmr0);
    if (enable)
        mode &= ~fmrNoEraseBeforeProgramming;
    else
        mode |= fmrNoEraseBeforeProgramming;
    samba.writeWord(fmr0, mode);
    if (twoPlanes()) {
        waitFSR();
        samba.writeWord(fmr1, mode);
    }
}

void EfcFlash::eraseAll() {
    waitFSR();
    writeFCR0(eraseAllCommand, 0);
    if (twoPlanes()) {
        // Each controller erases only its own plane.
        waitFSR();
        writeFCR1(eraseAllCommand, 0);
    }
}

bool EfcFlash::isLocked() {
    if (readFSR0() & fsrLockBits)
        return true;
    return twoPlanes() && (readFSR1() & fsrLockBits);
}

bool EfcFlash::getLockRegion(std::uint32_t region) {
    if (region >= lockRegionCount)
        throw FlashRegionError();
    std::uint32_t half = lockRegionCount / 2;
    if (twoPlanes() && region >= half)
        return readFSR1() & (1u << (16 + region - half));
    return readFSR0() & (1u << (16 + region));
}

void EfcFlash::setLockRegion(std::uint32_t region, bool enable) {
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

bool EfcFlash::getSecurity() {
    return readFSR0() & fsrSecurity;
}

void EfcFlash::setSecurity() {
    waitFSR();
    writeFCR0(setSecurityCommand, 0);
}

void EfcFlash::setGpBit(std::uint32_t bit, bool enable) {
    waitFSR();
    writeFCR0(enable ? setGpBitCommand : clearGpBitCommand, bit);
}

bool EfcFlash::getBod() {
    return readFSR0() & fsrBod;
}
void EfcFlash::setBod(bool enable) {
    setGpBit(0, enable);
}

bool EfcFlash::getBor() {
    return readFSR0() & fsrBor;
}
void EfcFlash::setBor(bool enable) {
    setGpBit(1, enable);
}

bool EfcFlash::getBootFlash() {
    if (!bootFlashAvailable)
        return false;
    return readFSR0() & fsrBootFlash;
}

void EfcFlash::setBootFlash(bool enable) {
    if (bootFlashAvailable)
        setGpBit(2, enable);
}

void EfcFlash::writePage(std::uint32_t page) {
    if (page >= pages)
        throw FlashPageError();
    wordCopy.setDstAddr(addr + page * size);
    wordCopy.setSrcAddr(currentPageBuffer());
    switchPageBuffer();
    waitFSR();
    wordCopy.run();
    // Completion is awaited by the next command's wait.
    std::uint32_t half = pages / 2;
    if (twoPlanes() && page >= half)
        writeFCR1(writePageCommand, page - half);
    else
        writeFCR0(writePageCommand, page);
}

void EfcFlash::readPage(std::uint32_t page, std::uint8_t* buffer) {
    if (page >= pages)
        throw FlashPageError();
    waitFSR();
    samba.read(addr + page * size, buffer, static_cast<int>(size));
}
