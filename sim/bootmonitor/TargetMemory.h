#pragma once

#include "sim/bootmonitor/MemoryHook.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

namespace sim {

// The address space of a simulated chip as its boot monitor sees it: RAM and flash
// regions backed by bytes, registers (any other word address: identification words,
// controller registers) that read back what was last stored, and hooks for the parts
// that do more than store. Safe to use from the monitor's thread and the test's.
class TargetMemory {
public:
    enum class regionKind { ram, flash };

    // A region of `size` bytes from `base`, filled with `fill` (0xFF for erased flash).
    void addRegion(regionKind kind, std::uint32_t base, std::uint32_t size, std::uint8_t fill = 0);
    void addHook(std::shared_ptr<MemoryHook> hook);

    // Accesses as the monitor makes them, hooks first. Reads of unmapped addresses
    // give 0; words are little-endian.
    std::uint32_t readWord(std::uint32_t addr);
    void writeWord(std::uint32_t addr, std::uint32_t value);
    std::uint8_t readByte(std::uint32_t addr);
    void writeByte(std::uint32_t addr, std::uint8_t value);
    // Blocks go word by word where aligned, byte by byte elsewhere, through the hooks.
    std::vector<std::uint8_t> readBlock(std::uint32_t addr, std::uint32_t size);
    void writeBlock(std::uint32_t addr, const std::vector<std::uint8_t>& bytes);

    // The monitor's "G", "X" and "Y". Without a hook: "G" only records the address,
    // "X" fills the flash region holding `addr` with 0xFF from there on, "Y" copies.
    void go(std::uint32_t addr);
    void chipErase(std::uint32_t addr);
    void writeBuffer(std::uint32_t src, std::uint32_t dst, std::uint32_t size);

    // Plain storage, bypassing the hooks (for hooks and for setting a chip up).
    std::uint32_t peekWord(std::uint32_t addr);
    void pokeWord(std::uint32_t addr, std::uint32_t value);
    std::uint8_t peekByte(std::uint32_t addr);
    void pokeByte(std::uint32_t addr, std::uint8_t value);

    // Addresses given to "G", in order.
    std::vector<std::uint32_t> goCalls();

    // Called (on the monitor's thread) when the program requests a system reset:
    // the Cortex-M reset request or the reset controller's processor reset.
    void setResetHandler(std::function<void()> handler);
    int resetRequests();

private:
    struct region {
        regionKind kind;
        std::uint32_t base;
        std::vector<std::uint8_t> bytes;
        bool holds(std::uint32_t addr) const { return addr - base < bytes.size(); }
    };
    region* regionAt(std::uint32_t addr);
    std::uint8_t* byteAt(std::uint32_t addr);
    void noteResetRequest(std::uint32_t addr, std::uint32_t value);

    std::recursive_mutex lock;
    std::vector<region> regions;
    std::map<std::uint32_t, std::uint32_t> registers;
    std::vector<std::shared_ptr<MemoryHook>> hooks;
    std::vector<std::uint32_t> goAddresses;
    std::function<void()> resetHandler;
    int resets = 0;
};

} // namespace sim
