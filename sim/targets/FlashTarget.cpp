#include "sim/targets/FlashTarget.h"

#include "sim/bootmonitor/TargetMemory.h"
#include "sim/targets/ThumbCore.h"

#include <algorithm>

namespace sim {

using guard = std::lock_guard<std::recursive_mutex>;

FlashTarget::FlashTarget(const geometry& g, startKind start)
    : geo(g), start(start), locks(g.lockRegions, false),
      latches(g.planes, std::vector<std::uint8_t>(g.pageSize, 0xFF)) {}

void FlashTarget::setFaults(const FlashFaults& faults) {
    guard g(state);
    faultSwitches = faults;
}

FlashFaults FlashTarget::faults() {
    guard g(state);
    return faultSwitches;
}

void FlashTarget::setBusyReads(int reads) {
    guard g(state);
    busyReadsAfterCommand = reads;
}

void FlashTarget::setRegionLocked(std::uint32_t region, bool locked) {
    guard g(state);
    locks.at(region) = locked;
}

bool FlashTarget::regionLocked(std::uint32_t region) {
    guard g(state);
    return locks.at(region);
}

std::vector<std::pair<std::uint32_t, std::uint32_t>> FlashTarget::registerWrites() {
    guard g(state);
    return writes;
}

std::vector<std::uint32_t> FlashTarget::commands() {
    guard g(state);
    return commandLog;
}

int FlashTarget::pagesProgrammed() {
    guard g(state);
    return programmed;
}

std::string FlashTarget::appletError() {
    guard g(state);
    return lastAppletError;
}

void FlashTarget::clearRecord() {
    guard g(state);
    writes.clear();
    commandLog.clear();
    programmed = 0;
    lastAppletError.clear();
}

void FlashTarget::noteCommand(std::uint32_t command) {
    commandLog.push_back(command);
    busyReadsLeft = busyReadsAfterCommand;
}

void FlashTarget::noteRegisterWrite(std::uint32_t addr, std::uint32_t value) {
    writes.emplace_back(addr, value);
}

bool FlashTarget::readyNow() {
    if (faultSwitches.neverReady)
        return false;
    if (busyReadsLeft > 0) {
        --busyReadsLeft;
        return false;
    }
    return true;
}

void FlashTarget::clearLatch(std::uint32_t plane) {
    std::fill(latches[plane].begin(), latches[plane].end(), 0xFF);
}

bool FlashTarget::writeWord(TargetMemory&, std::uint32_t addr, std::uint32_t value) {
    if (!inFlash(addr))
        return false;
    guard g(state);
    const std::uint32_t page = (addr - geo.flashBase) / geo.pageSize;
    auto& latch = latches[planeOf(page)];
    const std::uint32_t offset = (addr - geo.flashBase) % geo.pageSize;
    for (std::uint32_t i = 0; i < 4 && offset + i < geo.pageSize; ++i)
        latch[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
    return true;
}

bool FlashTarget::writeByte(TargetMemory&, std::uint32_t addr, std::uint8_t value) {
    if (!inFlash(addr))
        return false;
    guard g(state);
    const std::uint32_t page = (addr - geo.flashBase) / geo.pageSize;
    latches[planeOf(page)][(addr - geo.flashBase) % geo.pageSize] = value;
    return true;
}

bool FlashTarget::programPage(TargetMemory& memory, std::uint32_t page) {
    const std::uint32_t plane = planeOf(page);
    if (pageLocked(page)) {
        clearLatch(plane);
        return false;
    }
    const std::uint32_t base = geo.flashBase + page * geo.pageSize;
    const auto& latch = latches[plane];
    for (std::uint32_t i = 0; i < geo.pageSize; ++i) {
        std::uint8_t value = memory.peekByte(base + i) & latch[i];
        if (faultSwitches.corruptAddress && *faultSwitches.corruptAddress == base + i)
            value ^= faultSwitches.corruptMask;
        memory.pokeByte(base + i, value);
    }
    clearLatch(plane);
    ++programmed;
    return true;
}

bool FlashTarget::erasePage(TargetMemory& memory, std::uint32_t page) {
    if (pageLocked(page))
        return false;
    const std::uint32_t base = geo.flashBase + page * geo.pageSize;
    for (std::uint32_t i = 0; i < geo.pageSize; ++i)
        memory.pokeByte(base + i, 0xFF);
    return true;
}

bool FlashTarget::go(TargetMemory& memory, std::uint32_t addr) {
    std::uint32_t entry = addr;
    std::uint32_t sp = 0;
    if (start == startKind::vector) {
        sp = memory.peekWord(addr);
        entry = memory.peekWord(addr + 4);
    }
    ThumbCore core(memory);
    if (!core.call(entry, sp)) {
        guard g(state);
        lastAppletError = core.error();
    }
    return true;
}

// The monitor's "X": erases from `addr` to the end of the flash, skipping locked
// pages as the controller would.
bool FlashTarget::chipErase(TargetMemory& memory, std::uint32_t addr) {
    if (!inFlash(addr))
        return false;
    guard g(state);
    for (std::uint32_t page = (addr - geo.flashBase) / geo.pageSize; page < geo.pages; ++page)
        erasePage(memory, page);
    return true;
}

// The monitor's "Y": programs whole pages from RAM, without erasing first.
bool FlashTarget::writeBuffer(TargetMemory& memory, std::uint32_t src, std::uint32_t dst,
                              std::uint32_t size) {
    if (!inFlash(dst))
        return false;
    guard g(state);
    std::uint32_t done = 0;
    while (done < size && inFlash(dst + done)) {
        const std::uint32_t at = dst + done;
        const std::uint32_t page = (at - geo.flashBase) / geo.pageSize;
        const std::uint32_t offset = (at - geo.flashBase) % geo.pageSize;
        const std::uint32_t count = std::min(geo.pageSize - offset, size - done);
        auto& latch = latches[planeOf(page)];
        std::fill(latch.begin(), latch.end(), 0xFF);
        for (std::uint32_t i = 0; i < count; ++i)
            latch[offset + i] = memory.peekByte(src + done + i);
        programPage(memory, page);
        done += count;
    }
    return true;
}

} // namespace sim
