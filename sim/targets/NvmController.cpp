#include "sim/targets/NvmController.h"

#include "sim/bootmonitor/TargetMemory.h"

namespace sim {

using guard = std::lock_guard<std::recursive_mutex>;

namespace {

constexpr std::uint32_t pagesPerRow = 4;
constexpr std::uint32_t intflagReady = 1u << 0;
constexpr std::uint32_t intflagError = 1u << 1;
// Error flags of STATUS, cleared by writing ones.
constexpr std::uint32_t statusErrors = 0x1E;

enum : std::uint32_t {
    eraseRow = 0x02,
    writePage = 0x04,
    lockRegion = 0x40,
    unlockRegion = 0x41,
    pageBufferClear = 0x44,
    setSecurityBit = 0x45,
};

} // namespace

NvmController::NvmController(const geometry& g, std::uint32_t regs)
    : FlashTarget(g, startKind::vector), regs(regs) {}

std::uint32_t NvmController::addressedPage() const {
    return (addrValue * 2 - geo.flashBase) / geo.pageSize;
}

std::uint32_t NvmController::readRegister(std::uint32_t offset) {
    switch (offset) {
    case ctrlb:
        return ctrlbValue;
    case intflag: {
        std::uint32_t flags = readyNow() ? intflagReady : 0;
        if ((statusValue & statusErrors) || faultSwitches.lockError)
            flags |= intflagError;
        return flags;
    }
    case status:
        return statusValue | (faultSwitches.lockError ? statusLockError : 0);
    case addr:
        return addrValue;
    case lock: {
        std::uint32_t bits = 0;
        for (std::uint32_t r = 0; r < geo.lockRegions; ++r)
            if (!locks[r])
                bits |= 1u << r;
        return bits;
    }
    default:
        return 0;
    }
}

void NvmController::writeRegister(TargetMemory& memory, std::uint32_t offset, std::uint32_t value) {
    noteRegisterWrite(regs + offset, value);
    switch (offset) {
    case ctrla:
        if ((value & 0xFF00) == 0xA500)
            execute(memory, value & 0x7F);
        break;
    case ctrlb:
        ctrlbValue = value;
        break;
    case status:
        statusValue &= ~(value & statusErrors);
        break;
    case addr:
        addrValue = value & 0x3FFFFF;
        break;
    default:
        break;
    }
}

void NvmController::execute(TargetMemory& memory, std::uint32_t command) {
    noteCommand(command);
    const std::uint32_t page = addressedPage();
    const bool inArray = page < geo.pages;
    switch (command) {
    case eraseRow:
        if (inArray) {
            const std::uint32_t first = page / pagesPerRow * pagesPerRow;
            for (std::uint32_t p = first; p < first + pagesPerRow; ++p)
                if (!erasePage(memory, p))
                    statusValue |= statusLockError;
        }
        break;
    case writePage:
        if (inArray && !programPage(memory, page))
            statusValue |= statusLockError;
        break;
    case lockRegion:
    case unlockRegion:
        if (inArray)
            locks[page / pagesPerRegion()] = command == lockRegion;
        break;
    case pageBufferClear:
        clearLatch(0);
        break;
    case setSecurityBit:
        statusValue |= statusSecurity;
        break;
    default:
        break;
    }
}

bool NvmController::readWord(TargetMemory&, std::uint32_t address, std::uint32_t& value) {
    if (!isRegister(address))
        return false;
    guard g(state);
    value = readRegister(address - regs);
    return true;
}

bool NvmController::readByte(TargetMemory&, std::uint32_t address, std::uint8_t& value) {
    if (!isRegister(address))
        return false;
    guard g(state);
    const std::uint32_t offset = address - regs;
    value = static_cast<std::uint8_t>(readRegister(offset & ~3u) >> (8 * (offset & 3)));
    return true;
}

bool NvmController::writeWord(TargetMemory& memory, std::uint32_t address, std::uint32_t value) {
    if (!isRegister(address))
        return FlashTarget::writeWord(memory, address, value);
    guard g(state);
    writeRegister(memory, address - regs, value);
    return true;
}

bool NvmController::writeByte(TargetMemory& memory, std::uint32_t address, std::uint8_t value) {
    if (!isRegister(address))
        return FlashTarget::writeByte(memory, address, value);
    guard g(state);
    writeRegister(memory, address - regs, value);
    return true;
}

} // namespace sim
