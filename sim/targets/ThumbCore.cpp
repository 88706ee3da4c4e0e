#include "sim/targets/ThumbCore.h"

#include "sim/bootmonitor/TargetMemory.h"

#include <cstdio>

namespace sim {

namespace {

constexpr int sp = 13;
constexpr int lr = 14;
constexpr int pc = 15;
// Where the code returns to: the monitor's own loop, never executed.
constexpr std::uint32_t returnAddress = 0xFFFFFFFE;
constexpr long maxSteps = 50'000'000;

std::string hex(std::uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", value);
    return text;
}

} // namespace

bool ThumbCore::fail(const std::string& why) {
    lastError = why;
    return false;
}

bool ThumbCore::call(std::uint32_t entry, std::uint32_t stack) {
    if ((entry & 1) == 0)
        return fail("entry " + hex(entry) + " is not Thumb code");
    for (auto& value : r)
        value = 0;
    r[sp] = stack;
    r[lr] = returnAddress | 1;
    r[pc] = entry & ~1u;
    returned = false;
    stepCount = 0;
    lastError.clear();
    while (!returned) {
        if (++stepCount > maxSteps)
            return fail("applet did not return");
        if (!step())
            return false;
    }
    return true;
}

void ThumbCore::setNZ(std::uint32_t value) {
    n = value >> 31;
    z = value == 0;
}

std::uint32_t ThumbCore::subtract(std::uint32_t a, std::uint32_t b) {
    std::uint32_t result = a - b;
    setNZ(result);
    c = a >= b;
    v = ((a ^ b) & (a ^ result)) >> 31;
    return result;
}

std::uint32_t ThumbCore::add(std::uint32_t a, std::uint32_t b) {
    std::uint32_t result = a + b;
    setNZ(result);
    c = result < a;
    v = (~(a ^ b) & (a ^ result)) >> 31;
    return result;
}

bool ThumbCore::condition(unsigned cond) const {
    switch (cond) {
    case 0x0:
        return z;
    case 0x1:
        return !z;
    case 0x2:
        return c;
    case 0x3:
        return !c;
    case 0x4:
        return n;
    case 0x5:
        return !n;
    case 0x6:
        return v;
    case 0x7:
        return !v;
    case 0x8:
        return c && !z;
    case 0x9:
        return !c || z;
    case 0xA:
        return n == v;
    case 0xB:
        return n != v;
    case 0xC:
        return !z && n == v;
    case 0xD:
        return z || n != v;
    default:
        return true;
    }
}

bool ThumbCore::step() {
    const std::uint32_t at = r[pc];
    const std::uint32_t word = memory.readWord(at & ~3u);
    const std::uint16_t op = static_cast<std::uint16_t>((at & 2) ? word >> 16 : word);
    // Reads of the PC see the instruction's address plus 4.
    const std::uint32_t pcValue = at + 4;
    r[pc] = at + 2;

    if ((op & 0xF800) == 0x4800) { // LDR Rd, [PC, #imm8 * 4]
        const std::uint32_t addr = (pcValue & ~3u) + (op & 0xFF) * 4u;
        r[(op >> 8) & 7] = memory.readWord(addr);
    } else if ((op & 0xF800) == 0x2000) { // MOVS Rd, #imm8
        r[(op >> 8) & 7] = op & 0xFF;
        setNZ(op & 0xFF);
    } else if ((op & 0xF800) == 0x2800) { // CMP Rn, #imm8
        subtract(r[(op >> 8) & 7], op & 0xFF);
    } else if ((op & 0xF800) == 0x3000) { // ADDS Rd, #imm8
        std::uint32_t& rd = r[(op >> 8) & 7];
        rd = add(rd, op & 0xFF);
    } else if ((op & 0xF800) == 0x3800) { // SUBS Rd, #imm8
        std::uint32_t& rd = r[(op >> 8) & 7];
        rd = subtract(rd, op & 0xFF);
    } else if ((op & 0xF000) == 0xC000) { // STMIA / LDMIA Rn!, {list}
        const bool load = op & 0x0800;
        const int rn = (op >> 8) & 7;
        std::uint32_t addr = r[rn];
        for (int i = 0; i < 8; ++i) {
            if (!(op & (1 << i)))
                continue;
            if (load)
                r[i] = memory.readWord(addr);
            else
                memory.writeWord(addr, r[i]);
            addr += 4;
        }
        if (!(load && (op & (1 << rn))))
            r[rn] = addr;
    } else if ((op & 0xF000) == 0xD000 && (op & 0x0F00) < 0x0E00) { // B<cond>
        if (condition((op >> 8) & 0xF))
            r[pc] = pcValue + static_cast<std::uint32_t>(static_cast<std::int8_t>(op & 0xFF) * 2);
    } else if ((op & 0xF800) == 0xE000) { // B
        std::int32_t offset = (op & 0x7FF) << 1;
        if (offset & 0x800)
            offset -= 0x1000;
        r[pc] = pcValue + static_cast<std::uint32_t>(offset);
    } else if ((op & 0xFF00) == 0x4600) { // MOV Rd, Rm (high registers)
        const int rd = (op & 7) | ((op >> 4) & 8);
        const int rm = (op >> 3) & 0xF;
        const std::uint32_t value = rm == pc ? pcValue : r[rm];
        if (rd == pc)
            r[pc] = value & ~1u;
        else
            r[rd] = value;
    } else if ((op & 0xFF87) == 0x4700) { // BX Rm
        const int rm = (op >> 3) & 0xF;
        const std::uint32_t target = rm == pc ? pcValue : r[rm];
        if ((target & 1) == 0)
            return fail("BX to ARM state at " + hex(target));
        if ((target & ~1u) == returnAddress) {
            returned = true;
            return true;
        }
        r[pc] = target & ~1u;
    } else {
        return fail("unknown instruction " + hex(op) + " at " + hex(at));
    }
    return true;
}

} // namespace sim
