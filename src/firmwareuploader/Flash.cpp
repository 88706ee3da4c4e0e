#include "firmwareuploader/Flash.h"

#include "firmwareuploader/Samba.h"

namespace {

constexpr const char* source = "firmwareuploader/Flash";

std::uint32_t checkedPageSize(std::uint32_t size) {
    FlashGeometryError::require(size != 0 && (size & (size - 1)) == 0, "(size & (size - 1)) == 0",
                                source);
    return size;
}

std::uint32_t checkedLockRegions(std::uint32_t lockRegions) {
    FlashGeometryError::require(lockRegions != 0 && (lockRegions & (lockRegions - 1)) == 0,
                                "(lockRegions & (lockRegions - 1)) == 0", source);
    return lockRegions;
}

} // namespace

// The geometry is checked in the member initialisers, so a refused part gets no
// applet upload.
Flash::Flash(Samba& samba, const std::string& name, std::uint32_t addr, std::uint32_t pages,
             std::uint32_t size, std::uint32_t planes, std::uint32_t lockRegions,
             std::uint32_t user, std::uint32_t stack)
    : samba(samba), partName(name), addr(addr), pages(pages), size(checkedPageSize(size)),
      planes(planes), lockRegionCount(checkedLockRegions(lockRegions)), user(user),
      wordCopy(samba, user), pageBufferA(user + 0x1000), pageBufferB(user + 0x1000 + size) {
    wordCopy.setWords(size / 4);
    wordCopy.setStack(stack);
}

void Flash::lockAll() {
    for (std::uint32_t region = 0; region < lockRegions(); ++region)
        setLockRegion(region, true);
}

void Flash::unlockAll() {
    for (std::uint32_t region = 0; region < lockRegions(); ++region)
        setLockRegion(region, false);
}

void Flash::loadBuffer(const std::uint8_t* data, std::uint16_t count) {
    samba.write(currentPageBuffer(), data, count);
}

bool Flash::writeBuffer(std::uint32_t offset, std::uint32_t count) {
    return samba.writeBuffer(currentPageBuffer(), addr + offset, count);
}

std::uint16_t Flash::checksumBuffer(std::uint32_t offset, std::uint32_t count) {
    return samba.checksumBuffer(addr + offset, count);
}

std::uint16_t Flash::crc16AddByte(std::uint8_t byte, std::uint16_t crc) {
    return Samba::crc16AddByte(byte, crc);
}
