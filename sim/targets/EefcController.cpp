#include "sim/targets/EefcController.h"

#include "sim/bootmonitor/TargetMemory.h"

namespace sim {

using guard = std::lock_guard<std::recursive_mutex>;

namespace {

enum : std::uint32_t {
    writePage = 0x01,
    eraseWritePage = 0x03,
    eraseAll = 0x05,
    setLock = 0x08,
    clearLock = 0x09,
    getLock = 0x0A,
    setGpBit = 0x0B,
    clearGpBit = 0x0C,
    getGpBits = 0x0D,
};

} // namespace

EefcController::EefcController(const geometry& g, std::uint32_t regs)
    : FlashTarget(g, startKind::vector), regs(regs), banks(g.planes) {}

std::uint32_t EefcController::modeRegister(std::uint32_t plane) {
    guard g(state);
    return banks.at(plane).mode;
}

std::uint32_t EefcController::gpBits() {
    guard g(state);
    return gp;
}

void EefcController::setGpBits(std::uint32_t bits) {
    guard g(state);
    gp = bits;
}

int EefcController::bankOf(std::uint32_t address) const {
    for (std::uint32_t plane = 0; plane < geo.planes; ++plane)
        if (address - (regs + plane * planeStride) < 0x10)
            return static_cast<int>(plane);
    return -1;
}

bool EefcController::readWord(TargetMemory&, std::uint32_t address, std::uint32_t& value) {
    const int plane = bankOf(address);
    if (plane < 0)
        return false;
    guard g(state);
    bank& b = banks[plane];
    switch (address - (regs + plane * planeStride)) {
    case fmr:
        value = b.mode;
        break;
    case fsr:
        // Error flags clear when read.
        value =
            (readyNow() ? fsrReady : 0) | b.errors | (faultSwitches.lockError ? fsrLockError : 0);
        b.errors = 0;
        break;
    case frr:
        value = b.result;
        break;
    default:
        value = 0;
        break;
    }
    return true;
}

bool EefcController::writeWord(TargetMemory& memory, std::uint32_t address, std::uint32_t value) {
    const int plane = bankOf(address);
    if (plane < 0)
        return FlashTarget::writeWord(memory, address, value);
    guard g(state);
    noteRegisterWrite(address, value);
    bank& b = banks[plane];
    switch (address - (regs + plane * planeStride)) {
    case fmr:
        b.mode = value;
        break;
    case fcr:
        if ((value >> 24) != 0x5A) {
            b.errors |= fsrCommandError;
            break;
        }
        execute(memory, static_cast<std::uint32_t>(plane), value & 0xFF, (value >> 8) & 0xFFFF);
        break;
    default:
        break;
    }
    return true;
}

void EefcController::execute(TargetMemory& memory, std::uint32_t plane, std::uint32_t command,
                             std::uint32_t argument) {
    noteCommand(command);
    bank& b = banks[plane];
    const std::uint32_t firstPage = plane * pagesPerPlane();
    switch (command) {
    case writePage:
    case eraseWritePage: {
        if (argument >= pagesPerPlane()) {
            b.errors |= fsrCommandError;
            break;
        }
        const std::uint32_t page = firstPage + argument;
        if (command == eraseWritePage)
            erasePage(memory, page);
        if (!programPage(memory, page))
            b.errors |= fsrLockError;
        break;
    }
    case eraseAll: {
        for (std::uint32_t r = 0; r < regionsPerPlane(); ++r)
            if (locks[plane * regionsPerPlane() + r]) {
                b.errors |= fsrLockError;
                return;
            }
        for (std::uint32_t page = firstPage; page < firstPage + pagesPerPlane(); ++page)
            erasePage(memory, page);
        break;
    }
    case setLock:
    case clearLock:
        if (argument >= pagesPerPlane()) {
            b.errors |= fsrCommandError;
            break;
        }
        locks[(firstPage + argument) / pagesPerRegion()] = command == setLock;
        break;
    case getLock: {
        b.result = 0;
        for (std::uint32_t r = 0; r < regionsPerPlane(); ++r)
            if (locks[plane * regionsPerPlane() + r])
                b.result |= 1u << r;
        break;
    }
    case setGpBit:
        gp |= 1u << (argument & 31);
        break;
    case clearGpBit:
        gp &= ~(1u << (argument & 31));
        break;
    case getGpBits:
        b.result = gp;
        break;
    default:
        b.errors |= fsrCommandError;
        break;
    }
}

} // namespace sim
