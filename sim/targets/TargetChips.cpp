#include "sim/targets/TargetChips.h"

#include "sim/bootmonitor/TargetMemory.h"

namespace sim {

using kind = TargetMemory::regionKind;

std::uint8_t monitorByte(std::uint32_t addr) {
    return static_cast<std::uint8_t>((addr * 7 + 0x3D) ^ (addr >> 8));
}

std::shared_ptr<NvmController> installNvmChip(TargetMemory& memory, std::uint32_t deviceId) {
    constexpr std::uint32_t monitorSize = 0x2000;
    memory.addRegion(kind::flash, 0x00000000, 0x40000, 0xFF);
    memory.addRegion(kind::ram, 0x20000000, 0x8000);
    for (std::uint32_t addr = 0; addr < monitorSize; ++addr)
        memory.pokeByte(addr, monitorByte(addr));
    memory.pokeWord(0, 0x20008000); // the monitor's initial stack pointer
    memory.pokeWord(0xE000ED00, 0x410CC601);
    memory.pokeWord(0x41002018, deviceId);
    auto nvm =
        std::make_shared<NvmController>(FlashTarget::geometry{0, 64, 4096, 1, 16}, 0x41004000);
    memory.addHook(nvm);
    return nvm;
}

std::shared_ptr<EefcController> installEefcChip(TargetMemory& memory, std::uint32_t chipId) {
    memory.addRegion(kind::flash, 0x80000, 0x80000, 0xFF);
    memory.addRegion(kind::ram, 0x20000000, 0x20000);
    memory.pokeWord(0, 0x20001000);
    memory.pokeWord(0xE000ED00, 0x412FC230);
    memory.pokeWord(0x400E0740, 0);
    memory.pokeWord(0x400E0940, chipId);
    auto eefc = std::make_shared<EefcController>(FlashTarget::geometry{0x80000, 256, 2048, 2, 32},
                                                 0x400E0A00);
    memory.addHook(eefc);
    return eefc;
}

std::shared_ptr<EfcController> installEfcChip(TargetMemory& memory, bool twoPlanes) {
    const std::uint32_t pages = twoPlanes ? 2048 : 1024;
    memory.addRegion(kind::flash, 0x100000, pages * 256, 0xFF);
    memory.addRegion(kind::ram, 0x200000, 0x10000);
    memory.pokeWord(0, 0xEA000006); // ARM branch over the exception vectors
    memory.pokeWord(0xFFFFF240, twoPlanes ? 0x270B0A40 : 0x270B0940);
    auto efc = std::make_shared<EfcController>(
        FlashTarget::geometry{0x100000, 256, pages, twoPlanes ? 2u : 1u, twoPlanes ? 32u : 16u});
    memory.addHook(efc);
    return efc;
}

} // namespace sim
