#include "firmwareuploader/Flasher.h"

#include "firmwareuploader/Samba.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

constexpr std::size_t chunkSize = 4096;
constexpr int barWidth = 30;

struct fileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using filePtr = std::unique_ptr<std::FILE, fileCloser>;

filePtr openFile(const std::string& filename, const char* mode) {
    errno = 0;
    std::FILE* file = std::fopen(filename.c_str(), mode);
    if (!file)
        throw FileOpenError(errno);
    return filePtr(file);
}

// The file's size; the position is back at the start afterwards.
std::uint64_t fileSize(std::FILE* file) {
    errno = 0;
    if (std::fseek(file, 0, SEEK_END) != 0)
        throw FileIoError(errno);
    long size = std::ftell(file);
    if (size < 0)
        throw FileIoError(errno);
    if (std::fseek(file, 0, SEEK_SET) != 0)
        throw FileIoError(errno);
    return static_cast<std::uint64_t>(size);
}

std::size_t readSome(std::FILE* file, std::uint8_t* buffer, std::size_t size) {
    std::size_t count = std::fread(buffer, 1, size, file);
    if (count < size && std::ferror(file))
        throw FileIoError(errno);
    return count;
}

std::uint32_t progressInterval(std::uint32_t pages) {
    return pages >= 10 ? pages / 10 : 1;
}

} // namespace

Flasher::Flasher(Flash::Ptr& flash, Progress progress)
    : flash(flash), progress(std::move(progress)) {}

void Flasher::progressBar(int num, int div) {
    int filled = div > 0 ? std::clamp(num * barWidth / div, 0, barWidth) : barWidth;
    std::printf("%s%s", std::string(filled, '=').c_str(),
                std::string(barWidth - filled, ' ').c_str());
    std::fflush(stdout);
}

void Flasher::report(Phase phase, int num, int div, bool bar) {
    if (bar)
        progressBar(num, div);
    if (progress)
        progress(phase, div > 0 ? std::min(1.0, static_cast<double>(num) / div) : 1.0);
}

std::uint32_t Flasher::imagePages(std::uint64_t size) {
    std::uint64_t pageSize = flash->pageSize();
    std::uint64_t pages = (size + pageSize - 1) / pageSize;
    if (pages > flash->numPages())
        throw FileSizeError();
    return static_cast<std::uint32_t>(pages);
}

void Flasher::erase() {
    if (progress)
        progress(Phase::erase, 0.0);
    flash->eraseAll();
    flash->eraseAuto(false);
    if (progress)
        progress(Phase::erase, 1.0);
}

void Flasher::write(const std::string& filename) {
    std::uint32_t pageSize = flash->pageSize();
    filePtr file = openFile(filename, "rb");
    std::uint32_t numPages = imagePages(fileSize(file.get()));

    if (flash->monitor().canWriteBuffer()) {
        std::vector<std::uint8_t> buffer(chunkSize, 0);
        // Never past what was sized, even if the file grows meanwhile.
        std::uint64_t remaining = std::uint64_t(numPages) * pageSize;
        std::uint32_t offset = 0;
        while (remaining > 0) {
            std::size_t count =
                readSome(file.get(), buffer.data(), std::min<std::uint64_t>(chunkSize, remaining));
            if (count == 0)
                break;
            // The buffer's zeros fill the last page.
            count = (count + pageSize - 1) / pageSize * pageSize;
            flash->loadBuffer(buffer.data(), static_cast<std::uint16_t>(count));
            flash->writeBuffer(offset, static_cast<std::uint32_t>(count));
            offset += static_cast<std::uint32_t>(count);
            remaining -= count;
            report(Phase::write, static_cast<int>(offset / pageSize), static_cast<int>(numPages));
            std::fill(buffer.begin(), buffer.end(), 0);
        }
        return;
    }

    std::vector<std::uint8_t> buffer(pageSize);
    std::uint32_t interval = progressInterval(numPages);
    std::uint32_t page = 0;
    while (page < numPages) {
        std::size_t count = readSome(file.get(), buffer.data(), pageSize);
        if (count == 0)
            break;
        if (page % interval == 0)
            report(Phase::write, static_cast<int>(page), static_cast<int>(numPages));
        // A short last page is completed with zeros, as on the buffer path, rather
        // than with whatever the RAM buffer held before.
        std::fill(buffer.begin() + static_cast<std::ptrdiff_t>(count), buffer.end(), 0);
        flash->loadBuffer(buffer.data(), static_cast<std::uint16_t>(pageSize));
        flash->writePage(page);
        ++page;
        if (count < pageSize)
            break;
    }
    if (page > 0)
        report(Phase::write, static_cast<int>(page), static_cast<int>(numPages));
}

bool Flasher::verify(const std::string& filename) {
    std::uint32_t pageSize = flash->pageSize();
    filePtr file = openFile(filename, "rb");
    std::uint32_t numPages = imagePages(fileSize(file.get()));

    if (flash->monitor().canChecksumBuffer()) {
        std::vector<std::uint8_t> buffer(chunkSize);
        std::uint32_t offset = 0;
        for (;;) {
            std::size_t count = readSome(file.get(), buffer.data(), chunkSize);
            if (count == 0)
                return true;
            std::uint16_t local = 0;
            for (std::size_t i = 0; i < count; ++i)
                local = flash->crc16AddByte(buffer[i], local);
            std::uint16_t remote = flash->checksumBuffer(offset, static_cast<std::uint32_t>(count));
            offset += static_cast<std::uint32_t>(count);
            if (local != remote)
                return false;
            report(Phase::verify, static_cast<int>((offset + pageSize - 1) / pageSize),
                   static_cast<int>(numPages), false);
        }
    }

    std::vector<std::uint8_t> fileBuffer(pageSize);
    std::vector<std::uint8_t> flashBuffer(pageSize);
    std::uint32_t interval = progressInterval(numPages);
    std::uint32_t errors = 0;
    std::uint32_t page = 0;
    while (page < numPages) {
        std::size_t count = readSome(file.get(), fileBuffer.data(), pageSize);
        if (count == 0)
            break;
        if (page % interval == 0)
            report(Phase::verify, static_cast<int>(page), static_cast<int>(numPages));
        flash->readPage(page, flashBuffer.data());
        for (std::size_t i = 0; i < count; ++i) {
            if (fileBuffer[i] != flashBuffer[i])
                ++errors;
        }
        ++page;
        if (count < pageSize)
            break;
    }
    if (page > 0)
        report(Phase::verify, static_cast<int>(page), static_cast<int>(numPages));
    return errors == 0;
}

void Flasher::read(const std::string& filename, std::uint32_t size) {
    std::uint32_t pageSize = flash->pageSize();
    if (size == 0)
        size = flash->numPages() * pageSize;
    // Sized before the file is opened, so a refused read leaves an existing file alone.
    std::uint32_t numPages = imagePages(size);
    filePtr file = openFile(filename, "wb");

    std::vector<std::uint8_t> buffer(pageSize);
    std::uint32_t interval = progressInterval(numPages);
    for (std::uint32_t page = 0; page < numPages; ++page) {
        if (page < 10 || page % interval == 0)
            report(Phase::read, static_cast<int>(page), static_cast<int>(numPages));
        flash->readPage(page, buffer.data());
        std::size_t count = pageSize;
        if (page + 1 == numPages && size % pageSize != 0)
            count = size % pageSize;
        if (std::fwrite(buffer.data(), 1, count, file.get()) != count)
            throw FileShortError();
    }
    report(Phase::read, static_cast<int>(numPages), static_cast<int>(numPages));
    if (std::fflush(file.get()) != 0)
        throw FileShortError();
}

void Flasher::lock(const std::string& regionArg, bool enable) {
    if (regionArg.empty()) {
        if (enable)
            flash->lockAll();
        else
            flash->unlockAll();
        return;
    }
    std::size_t begin = 0;
    for (;;) {
        std::size_t comma = regionArg.find(',', begin);
        std::string piece =
            regionArg.substr(begin, comma == std::string::npos ? comma : comma - begin);
        char* end = nullptr;
        errno = 0;
        long region = std::strtol(piece.c_str(), &end, 0);
        // A piece that is not a number would otherwise lock region 0.
        if (end == piece.c_str() || *end != '\0' || errno != 0 || region < 0 ||
            region > static_cast<long>(UINT32_MAX))
            throw FlashRegionError();
        flash->setLockRegion(static_cast<std::uint32_t>(region), enable);
        if (comma == std::string::npos)
            break;
        begin = comma + 1;
    }
}

void Flasher::info(Samba& samba) {
    std::printf("Device       : %s\n", flash->name().c_str());
    std::printf("Chip ID      : %08x\n", samba.chipId());
    std::printf("Version      : %s\n", samba.version().c_str());
    std::printf("Address      : %u\n", flash->address());
    std::printf("Pages        : %u\n", flash->numPages());
    std::printf("Page Size    : %u bytes\n", flash->pageSize());
    std::printf("Total Size   : %uKB\n", flash->numPages() * flash->pageSize() / 1024);
    std::printf("Planes       : %u\n", flash->numPlanes());
    std::printf("Lock Regions : %u\n", flash->lockRegions());
    std::printf("Locked       : ");
    bool anyLocked = false;
    for (std::uint32_t region = 0; region < flash->lockRegions(); ++region) {
        if (flash->getLockRegion(region)) {
            std::printf("%s%u", anyLocked ? "," : "", region);
            anyLocked = true;
        }
    }
    std::printf("%s\n", anyLocked ? "" : "none");
    std::printf("Security     : %s\n", flash->getSecurity() ? "true" : "false");
    if (flash->canBootFlash())
        std::printf("Boot Flash   : %s\n", flash->getBootFlash() ? "true" : "false");
    if (flash->canBod())
        std::printf("BOD          : %s\n", flash->getBod() ? "true" : "false");
    if (flash->canBor())
        std::printf("BOR          : %s\n", flash->getBor() ? "true" : "false");
    if (samba.canChipErase())
        std::printf("Arduino      : FAST_CHIP_ERASE\n");
    if (samba.canWriteBuffer())
        std::printf("Arduino      : FAST_MULTI_PAGE_WRITE\n");
    if (samba.canChecksumBuffer())
        std::printf("Arduino      : CAN_CHECKSUM_MEMORY_BUFFER\n");
    std::fflush(stdout);
}
