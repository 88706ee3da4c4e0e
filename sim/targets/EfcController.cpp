#include "sim/targets/EfcController.h"

#include "sim/bootmonitor/TargetMemory.h"

namespace sim {

using guard = std::lock_guard<std::recursive_mutex>;

namespace {

enum : std::uint32_t {
    writePage = 0x01,
    setLock = 0x02,
    clearLock = 0x04,
    eraseAll = 0x08,
    setGpBit = 0x0B,
    clearGpBit = 0x0D,
    setSecurity = 0x0F,
};

} // namespace

EfcController::EfcController(const geometry& g)
    : FlashTarget(g, startKind::direct), controllers(g.planes) {}

std::uint32_t EfcController::modeRegister(std::uint32_t plane) {
    guard g(state);
    return controllers.at(plane).mode;
}

bool EfcController::security() {
    guard g(state);
    return securityBit;
}

std::uint32_t EfcController::gpBits() {
    guard g(state);
    return gp;
}

int EfcController::controllerOf(std::uint32_t address) const {
    if (address - base0 < 0x10)
        return 0;
    if (geo.planes == 2 && address - base1 < 0x10)
        return 1;
    return -1;
}

bool EfcController::readWord(TargetMemory&, std::uint32_t address, std::uint32_t& value) {
    const int plane = controllerOf(address);
    if (plane < 0)
        return false;
    guard g(state);
    controller& c = controllers[plane];
    const std::uint32_t base = plane == 0 ? base0 : base1;
    switch (address - base) {
    case fmr:
        value = c.mode;
        break;
    case fsr: {
        value =
            (readyNow() ? fsrReady : 0) | c.errors | (faultSwitches.lockError ? fsrLockError : 0);
        c.errors = 0; // error flags clear when read
        if (plane == 0) {
            value |= securityBit ? fsrSecurity : 0;
            value |= (gp & 0xFF) << 8;
        }
        for (std::uint32_t r = 0; r < regionsPerPlane() && r < 16; ++r)
            if (locks[plane * regionsPerPlane() + r])
                value |= 1u << (16 + r);
        break;
    }
    default:
        value = 0;
        break;
    }
    return true;
}

bool EfcController::writeWord(TargetMemory& memory, std::uint32_t address, std::uint32_t value) {
    const int plane = controllerOf(address);
    if (plane < 0)
        return FlashTarget::writeWord(memory, address, value);
    guard g(state);
    noteRegisterWrite(address, value);
    controller& c = controllers[plane];
    const std::uint32_t base = plane == 0 ? base0 : base1;
    switch (address - base) {
    case fmr:
        c.mode = value;
        break;
    case fcr:
        if ((value >> 24) != 0x5A) {
            c.errors |= fsrProgrammingError;
            break;
        }
        execute(memory, static_cast<std::uint32_t>(plane), value & 0xFF, (value >> 8) & 0x3FF);
        break;
    default:
        break;
    }
    return true;
}

void EfcController::execute(TargetMemory& memory, std::uint32_t plane, std::uint32_t command,
                            std::uint32_t argument) {
    noteCommand(command);
    controller& c = controllers[plane];
    const std::uint32_t firstPage = plane * pagesPerPlane();
    switch (command) {
    case writePage: {
        if (argument >= pagesPerPlane()) {
            c.errors |= fsrProgrammingError;
            break;
        }
        const std::uint32_t page = firstPage + argument;
        if (pageLocked(page)) {
            clearLatch(plane);
            c.errors |= fsrLockError;
            break;
        }
        if (!(c.mode & fmrNoEraseBeforeProgramming))
            erasePage(memory, page);
        programPage(memory, page);
        break;
    }
    case setLock:
    case clearLock:
        if (argument >= pagesPerPlane()) {
            c.errors |= fsrProgrammingError;
            break;
        }
        locks[(firstPage + argument) / pagesPerRegion()] = command == setLock;
        break;
    case eraseAll: {
        // Erases this controller's plane; the argument is not looked at.
        for (std::uint32_t r = 0; r < regionsPerPlane(); ++r)
            if (locks[plane * regionsPerPlane() + r]) {
                c.errors |= fsrLockError;
                return;
            }
        for (std::uint32_t page = firstPage; page < firstPage + pagesPerPlane(); ++page)
            erasePage(memory, page);
        break;
    }
    case setGpBit:
        gp |= 1u << (argument & 7);
        break;
    case clearGpBit:
        gp &= ~(1u << (argument & 7));
        break;
    case setSecurity:
        securityBit = true;
        break;
    default:
        c.errors |= fsrProgrammingError;
        break;
    }
}

} // namespace sim
