#pragma once

#include <cstdint>

namespace sim {

class TargetMemory;

// A memory-mapped part of the simulated chip (a flash controller, a reset controller,
// an applet runner). The target asks its hooks in the order they were added; the
// first that handles an access ends it, and unhandled accesses go to plain memory.
// Hooks run on the monitor's thread with the target locked; they may call back into
// the target.
class MemoryHook {
public:
    virtual ~MemoryHook() = default;

    // Each returns true when the access was handled.
    virtual bool readWord(TargetMemory&, std::uint32_t /*addr*/, std::uint32_t& /*value*/) {
        return false;
    }
    virtual bool writeWord(TargetMemory&, std::uint32_t /*addr*/, std::uint32_t /*value*/) {
        return false;
    }
    virtual bool readByte(TargetMemory&, std::uint32_t /*addr*/, std::uint8_t& /*value*/) {
        return false;
    }
    virtual bool writeByte(TargetMemory&, std::uint32_t /*addr*/, std::uint8_t /*value*/) {
        return false;
    }

    // The monitor's "G": run code at `addr` (its low bit selects Thumb). The monitor
    // takes commands again when this returns.
    virtual bool go(TargetMemory&, std::uint32_t /*addr*/) { return false; }
    // The monitor's extensions "X" (erase the flash from `addr` on) and "Y" (program
    // `size` bytes from RAM at `src` into flash at `dst`).
    virtual bool chipErase(TargetMemory&, std::uint32_t /*addr*/) { return false; }
    virtual bool writeBuffer(TargetMemory&, std::uint32_t /*src*/, std::uint32_t /*dst*/,
                             std::uint32_t /*size*/) {
        return false;
    }
};

} // namespace sim
