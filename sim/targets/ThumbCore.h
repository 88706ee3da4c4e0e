#pragma once

#include <cstdint>
#include <string>

namespace sim {

class TargetMemory;

// Runs a short piece of Thumb code (the uploader's applets) against the target's
// memory, so the code bytes themselves are exercised rather than their intent. Only
// the instructions such applets use are known: literal loads, moves and compares
// with immediates, adds and subtracts, load/store multiple, branches, register moves
// and BX. Anything else stops the run with an error.
class ThumbCore {
public:
    explicit ThumbCore(TargetMemory& memory) : memory(memory) {}

    // Runs from `entry` (its low bit must be set) with `sp`, until the code returns
    // through the link register. False, with the reason in error(), on an unknown
    // instruction, a jump out of Thumb state, or too many steps.
    bool call(std::uint32_t entry, std::uint32_t sp);

    std::uint32_t reg(int n) const { return r[n]; }
    const std::string& error() const { return lastError; }
    long steps() const { return stepCount; }

private:
    bool step();
    bool condition(unsigned cond) const;
    void setNZ(std::uint32_t value);
    std::uint32_t subtract(std::uint32_t a, std::uint32_t b);
    std::uint32_t add(std::uint32_t a, std::uint32_t b);
    bool fail(const std::string& why);

    TargetMemory& memory;
    std::uint32_t r[16] = {};
    bool n = false, z = false, c = false, v = false;
    bool returned = false;
    long stepCount = 0;
    std::string lastError;
};

} // namespace sim
