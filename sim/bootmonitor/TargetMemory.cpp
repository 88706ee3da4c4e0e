#include "sim/bootmonitor/TargetMemory.h"

#include <algorithm>

namespace sim {

using guard = std::lock_guard<std::recursive_mutex>;

void TargetMemory::addRegion(regionKind kind, std::uint32_t base, std::uint32_t size,
                             std::uint8_t fill) {
    guard g(lock);
    regions.push_back(region{kind, base, std::vector<std::uint8_t>(size, fill)});
}

void TargetMemory::addHook(std::shared_ptr<MemoryHook> hook) {
    guard g(lock);
    hooks.push_back(std::move(hook));
}

TargetMemory::region* TargetMemory::regionAt(std::uint32_t addr) {
    for (auto& r : regions)
        if (r.holds(addr))
            return &r;
    return nullptr;
}

std::uint8_t* TargetMemory::byteAt(std::uint32_t addr) {
    region* r = regionAt(addr);
    return r ? &r->bytes[addr - r->base] : nullptr;
}

std::uint8_t TargetMemory::peekByte(std::uint32_t addr) {
    guard g(lock);
    if (std::uint8_t* b = byteAt(addr))
        return *b;
    const auto it = registers.find(addr & ~3u);
    return it == registers.end() ? 0 : static_cast<std::uint8_t>(it->second >> (8 * (addr & 3)));
}

void TargetMemory::pokeByte(std::uint32_t addr, std::uint8_t value) {
    guard g(lock);
    if (std::uint8_t* b = byteAt(addr)) {
        *b = value;
        return;
    }
    std::uint32_t& word = registers[addr & ~3u];
    const unsigned shift = 8 * (addr & 3);
    word = (word & ~(0xFFu << shift)) | (static_cast<std::uint32_t>(value) << shift);
}

std::uint32_t TargetMemory::peekWord(std::uint32_t addr) {
    guard g(lock);
    if (!regionAt(addr)) {
        const auto it = registers.find(addr);
        if ((addr & 3) == 0)
            return it == registers.end() ? 0 : it->second;
    }
    std::uint32_t value = 0;
    for (unsigned i = 0; i < 4; ++i)
        value |= static_cast<std::uint32_t>(peekByte(addr + i)) << (8 * i);
    return value;
}

void TargetMemory::pokeWord(std::uint32_t addr, std::uint32_t value) {
    guard g(lock);
    if (!regionAt(addr) && (addr & 3) == 0) {
        registers[addr] = value;
        return;
    }
    for (unsigned i = 0; i < 4; ++i)
        pokeByte(addr + i, static_cast<std::uint8_t>(value >> (8 * i)));
}

std::uint32_t TargetMemory::readWord(std::uint32_t addr) {
    guard g(lock);
    for (auto& hook : hooks) {
        std::uint32_t value = 0;
        if (hook->readWord(*this, addr, value))
            return value;
    }
    return peekWord(addr);
}

void TargetMemory::writeWord(std::uint32_t addr, std::uint32_t value) {
    guard g(lock);
    noteResetRequest(addr, value);
    for (auto& hook : hooks)
        if (hook->writeWord(*this, addr, value))
            return;
    pokeWord(addr, value);
}

std::uint8_t TargetMemory::readByte(std::uint32_t addr) {
    guard g(lock);
    for (auto& hook : hooks) {
        std::uint8_t value = 0;
        if (hook->readByte(*this, addr, value))
            return value;
    }
    return peekByte(addr);
}

void TargetMemory::writeByte(std::uint32_t addr, std::uint8_t value) {
    guard g(lock);
    for (auto& hook : hooks)
        if (hook->writeByte(*this, addr, value))
            return;
    pokeByte(addr, value);
}

std::vector<std::uint8_t> TargetMemory::readBlock(std::uint32_t addr, std::uint32_t size) {
    guard g(lock);
    std::vector<std::uint8_t> bytes;
    bytes.reserve(size);
    std::uint32_t i = 0;
    while (i < size) {
        const std::uint32_t at = addr + i;
        if ((at & 3) == 0 && size - i >= 4) {
            const std::uint32_t word = readWord(at);
            for (unsigned k = 0; k < 4; ++k)
                bytes.push_back(static_cast<std::uint8_t>(word >> (8 * k)));
            i += 4;
        } else {
            bytes.push_back(readByte(at));
            ++i;
        }
    }
    return bytes;
}

void TargetMemory::writeBlock(std::uint32_t addr, const std::vector<std::uint8_t>& bytes) {
    guard g(lock);
    const std::uint32_t size = static_cast<std::uint32_t>(bytes.size());
    std::uint32_t i = 0;
    while (i < size) {
        const std::uint32_t at = addr + i;
        if ((at & 3) == 0 && size - i >= 4) {
            writeWord(at, bytes[i] | (bytes[i + 1] << 8) | (bytes[i + 2] << 16) |
                              (static_cast<std::uint32_t>(bytes[i + 3]) << 24));
            i += 4;
        } else {
            writeByte(at, bytes[i]);
            ++i;
        }
    }
}

void TargetMemory::go(std::uint32_t addr) {
    guard g(lock);
    goAddresses.push_back(addr);
    for (auto& hook : hooks)
        if (hook->go(*this, addr))
            return;
}

void TargetMemory::chipErase(std::uint32_t addr) {
    guard g(lock);
    for (auto& hook : hooks)
        if (hook->chipErase(*this, addr))
            return;
    region* r = regionAt(addr);
    if (r && r->kind == regionKind::flash)
        std::fill(r->bytes.begin() + (addr - r->base), r->bytes.end(), 0xFF);
}

void TargetMemory::writeBuffer(std::uint32_t src, std::uint32_t dst, std::uint32_t size) {
    guard g(lock);
    for (auto& hook : hooks)
        if (hook->writeBuffer(*this, src, dst, size))
            return;
    for (std::uint32_t i = 0; i < size; ++i)
        pokeByte(dst + i, peekByte(src + i));
}

std::vector<std::uint32_t> TargetMemory::goCalls() {
    guard g(lock);
    return goAddresses;
}

void TargetMemory::setResetHandler(std::function<void()> handler) {
    guard g(lock);
    resetHandler = std::move(handler);
}

int TargetMemory::resetRequests() {
    guard g(lock);
    return resets;
}

void TargetMemory::noteResetRequest(std::uint32_t addr, std::uint32_t value) {
    // Cortex-M: AIRCR with its key and SYSRESETREQ. Reset controller: key 0xA5 with
    // the processor reset bit.
    const bool coreReset = addr == 0xE000ED0C && (value >> 16) == 0x05FA && (value & 0x4);
    const bool controllerReset = addr == 0x400E1A00 && (value >> 24) == 0xA5 && (value & 0x1);
    if (!coreReset && !controllerReset)
        return;
    ++resets;
    if (resetHandler)
        resetHandler();
}

} // namespace sim
