#pragma once

#include "firmwareuploader/FlashErrors.h"
#include "firmwareuploader/WordCopyApplet.h"

#include <cstdint>
#include <memory>
#include <string>

class Samba;

// A chip's flash as seen through its controller: geometry, the word-copy applet and
// two page buffers in target RAM that alternate after every page write.
class Flash {
public:
    using Ptr = std::unique_ptr<Flash>;

    // Throws FlashGeometryError (before any traffic) when `size` or `lockRegions` is
    // not a power of two.
    Flash(Samba& samba, const std::string& name, std::uint32_t addr, std::uint32_t pages,
          std::uint32_t size, std::uint32_t planes, std::uint32_t lockRegions, std::uint32_t user,
          std::uint32_t stack);
    virtual ~Flash() = default;
    Flash(const Flash&) = delete;
    Flash& operator=(const Flash&) = delete;

    virtual std::uint32_t address() { return addr; }
    virtual std::uint32_t pageSize() { return size; }
    virtual std::uint32_t numPages() { return pages; }
    virtual std::uint32_t numPlanes() { return planes; }

    virtual void eraseAll() = 0;
    virtual void eraseAuto(bool enable) = 0;

    virtual std::uint32_t lockRegions() { return lockRegionCount; }
    virtual bool isLocked() = 0;
    virtual bool getLockRegion(std::uint32_t region) = 0;
    virtual void setLockRegion(std::uint32_t region, bool enable) = 0;
    virtual void lockAll();
    virtual void unlockAll();

    virtual bool getSecurity() = 0;
    virtual void setSecurity() = 0;

    virtual bool getBod() = 0;
    virtual void setBod(bool enable) = 0;
    virtual bool canBod() = 0;

    virtual bool getBor() = 0;
    virtual void setBor(bool enable) = 0;
    virtual bool canBor() = 0;

    virtual bool getBootFlash() = 0;
    virtual void setBootFlash(bool enable) = 0;
    virtual bool canBootFlash() = 0;

    // Fills the current page buffer.
    virtual void loadBuffer(const std::uint8_t* data, std::uint16_t count);
    // Programs the current page buffer into `page` and switches buffers.
    virtual void writePage(std::uint32_t page) = 0;
    // Has the monitor program `count` bytes of the current buffer at `offset`; false
    // when the monitor has no buffer writes.
    virtual bool writeBuffer(std::uint32_t offset, std::uint32_t count);
    virtual std::uint16_t checksumBuffer(std::uint32_t offset, std::uint32_t count);
    virtual std::uint16_t crc16AddByte(std::uint8_t byte, std::uint16_t crc);
    virtual void readPage(std::uint32_t page, std::uint8_t* buffer) = 0;

    const std::string& name() const { return partName; }
    Samba& monitor() const { return samba; }
    // The buffer the next loadBuffer fills.
    std::uint32_t currentPageBuffer() const { return onBufferA ? pageBufferA : pageBufferB; }

protected:
    void switchPageBuffer() { onBufferA = !onBufferA; }

    Samba& samba;
    std::string partName;
    std::uint32_t addr;
    std::uint32_t pages;
    std::uint32_t size;
    std::uint32_t planes;
    std::uint32_t lockRegionCount;
    std::uint32_t user;
    WordCopyApplet wordCopy;
    bool onBufferA = true;
    std::uint32_t pageBufferA;
    std::uint32_t pageBufferB;
};
