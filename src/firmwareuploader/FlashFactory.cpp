#include "firmwareuploader/FlashFactory.h"

#include "firmwareuploader/EefcFlash.h"
#include "firmwareuploader/EfcFlash.h"
#include "firmwareuploader/NvmFlash.h"

#include <algorithm>

namespace {

using Driver = FlashFactory::Driver;
constexpr Driver efc = Driver::efc;
constexpr Driver eefc = Driver::eefc;
constexpr Driver nvm = Driver::nvm;

// clang-format off
const FlashFactory::Part table[] = {
    // Cortex-M0+ parts: one geometry, the first 8 KiB hold the boot monitor.
    {{0x10010000}, nvm, "ATSAMD21J18A", 0x2000, 4096, 64, 1, 16, 0x20004000, 0x20008000, 0x41004000, true},
    {{0x10010005}, nvm, "ATSAMD21G18A", 0x2000, 4096, 64, 1, 16, 0x20004000, 0x20008000, 0x41004000, true},
    {{0x1001000A}, nvm, "ATSAMD21E18A", 0x2000, 4096, 64, 1, 16, 0x20004000, 0x20008000, 0x41004000, true},
    {{0x1001001C}, nvm, "ATSAMR21E18A", 0x2000, 4096, 64, 1, 16, 0x20004000, 0x20008000, 0x41004000, true},

    {{0x27050240}, efc, "AT91SAM7S16", 0x100000, 256, 64, 1, 8, 0x200000, 0x200E00, 0, false},
    {{0x27080340}, efc, "AT91SAM7S32", 0x100000, 256, 128, 1, 8, 0x201400, 0x202000, 0, false},
    {{0x27090540}, efc, "AT91SAM7S64", 0x100000, 512, 128, 1, 16, 0x202000, 0x204000, 0, false},
    {{0x270A0740, 0x270C0740}, efc, "AT91SAM7S128", 0x100000, 512, 256, 1, 8, 0x202000, 0x208000, 0, false},
    {{0x270B0940, 0x270D0940}, efc, "AT91SAM7S256", 0x100000, 1024, 256, 1, 16, 0x202000, 0x210000, 0, false},
    {{0x270B0A40}, efc, "AT91SAM7S512", 0x100000, 2048, 256, 2, 32, 0x202000, 0x210000, 0, false},
    {{0x271A0740}, efc, "AT91SAMXC128", 0x100000, 512, 256, 1, 8, 0x202000, 0x208000, 0, true},
    {{0x271B0940}, efc, "AT91SAMXC256", 0x100000, 1024, 256, 1, 16, 0x202000, 0x210000, 0, true},
    {{0x271C0A40}, efc, "AT91SAMXC512", 0x100000, 2048, 256, 2, 32, 0x202000, 0x220000, 0, true},
    {{0x272A0340}, efc, "AT91SAM7SE32", 0x100000, 256, 128, 1, 8, 0x201400, 0x201C00, 0, true},
    {{0x272A0940}, efc, "AT91SAM7SE256", 0x100000, 1024, 256, 1, 16, 0x202000, 0x208000, 0, true},
    {{0x272A0A40}, efc, "AT91SAM7SE512", 0x100000, 2048, 256, 2, 32, 0x202000, 0x208000, 0, true},
    {{0x27330540}, eefc, "ATSAM7L64", 0x100000, 256, 256, 1, 8, 0x2FFB40, 0x300700, 0xFFFFFF60, false},
    {{0x27330740}, eefc, "ATSAM7L128", 0x100000, 512, 256, 1, 16, 0x2FFB40, 0x300700, 0xFFFFFF60, false},
    {{0x275A0740}, efc, "AT91SAMX128", 0x100000, 512, 256, 1, 8, 0x202000, 0x208000, 0, true},
    {{0x275B0940}, efc, "AT91SAMX256", 0x100000, 1024, 256, 1, 16, 0x202000, 0x210000, 0, true},
    {{0x275C0A40}, efc, "AT91SAMX512", 0x100000, 2048, 256, 2, 32, 0x202000, 0x220000, 0, true},

    {{0x28000960, 0x28100960}, eefc, "ATSAM3U4", 0xE0000, 1024, 256, 2, 32, 0x20001000, 0x20008000, 0x400E0800, false},
    {{0x28090560, 0x28190560}, eefc, "ATSAM3U1", 0x80000, 256, 256, 1, 8, 0x20001000, 0x20002000, 0x400E0800, false},
    {{0x280A0760, 0x281A0760}, eefc, "ATSAM3U2", 0x80000, 512, 256, 1, 16, 0x20001000, 0x20004000, 0x400E0800, false},
    {{0x283B0960}, eefc, "ATSAM3A4", 0x80000, 1024, 256, 2, 16, 0x20001000, 0x20008000, 0x400E0A00, false},
    {{0x283E0A60}, eefc, "ATSAM3A8", 0x80000, 2048, 256, 2, 32, 0x20001000, 0x20010000, 0x400E0A00, false},
    {{0x284B0960, 0x285B0960}, eefc, "ATSAM3X4", 0x80000, 1024, 256, 2, 16, 0x20001000, 0x20008000, 0x400E0A00, false},
    {{0x284E0A60, 0x285E0A60, 0x286E0A60}, eefc, "ATSAM3X8", 0x80000, 2048, 256, 2, 32, 0x20001000, 0x20010000, 0x400E0A00, false},
    {{0x28800960, 0x28900960, 0x28A00960}, eefc, "ATSAM3S4", 0x400000, 1024, 256, 1, 16, 0x20001000, 0x2000C000, 0x400E0A00, false},
    {{0x288A0560, 0x289A0560, 0x28AA0560}, eefc, "ATSAM3S1", 0x400000, 256, 256, 1, 4, 0x20000800, 0x20004000, 0x400E0A00, false},
    {{0x288A0760, 0x289A0760, 0x28AA0760}, eefc, "ATSAM3S2", 0x400000, 512, 256, 1, 8, 0x20000800, 0x20008000, 0x400E0A00, false},
    {{0x288B07E0, 0x288B07E1, 0x289B07E0, 0x289B07E1, 0x28AB07E0, 0x28AB07E1}, eefc, "ATSAM4S2", 0x400000, 256, 512, 1, 16, 0x20001000, 0x20010000, 0x400E0A00, false},
    {{0x288B09E0, 0x288B09E1, 0x289B09E0, 0x289B09E1, 0x28AB09E0, 0x28AB09E1}, eefc, "ATSAM4S4", 0x400000, 512, 512, 1, 16, 0x20001000, 0x20010000, 0x400E0A00, false},
    // More lock regions than one result word holds: the driver refuses these two.
    {{0x288C0AE0, 0x288C0AE1, 0x289C0AE0, 0x289C0AE1, 0x28AC0AE0, 0x28AC0AE1}, eefc, "ATSAM4S8", 0x400000, 1024, 512, 1, 64, 0x20001000, 0x20020000, 0x400E0A00, false},
    {{0x288C0CE0, 0x288C0CE1, 0x289C0CE0, 0x289C0CE1, 0x28AC0CE0, 0x28AC0CE1}, eefc, "ATSAM4S16", 0x400000, 2048, 512, 1, 128, 0x20001000, 0x20020000, 0x400E0A00, false},
    {{0x29340960, 0x29440960, 0x29540960}, eefc, "ATSAM3N4", 0x400000, 1024, 256, 1, 16, 0x20001000, 0x20006000, 0x400E0A00, false},
    {{0x29380560, 0x29480560, 0x29580560}, eefc, "ATSAM3N1", 0x400000, 256, 256, 1, 4, 0x20000800, 0x20002000, 0x400E0A00, false},
    {{0x29390760, 0x29490760, 0x29590760}, eefc, "ATSAM3N2", 0x400000, 512, 256, 1, 8, 0x20001000, 0x20004000, 0x400E0A00, false},
    {{0x329973A0}, eefc, "ATSAM9XE128", 0x200000, 256, 512, 1, 8, 0x300000, 0x303000, 0xFFFFFA00, true},
    {{0x329A93A0}, eefc, "ATSAM9XE256", 0x200000, 512, 512, 1, 16, 0x300000, 0x307000, 0xFFFFFA00, true},
    {{0x329AA3A0}, eefc, "ATSAM9XE512", 0x200000, 1024, 512, 1, 32, 0x300000, 0x307000, 0xFFFFFA00, true},
};
// clang-format on

} // namespace

std::span<const FlashFactory::Part> FlashFactory::parts() {
    return table;
}

const FlashFactory::Part* FlashFactory::find(std::uint32_t chipId) {
    for (const Part& part : table) {
        if (std::find(part.ids.begin(), part.ids.end(), chipId) != part.ids.end())
            return &part;
    }
    return nullptr;
}

Flash::Ptr FlashFactory::create(Samba& samba, std::uint32_t chipId) {
    const Part* part = find(chipId);
    if (!part)
        return nullptr;
    const Part& p = *part;
    switch (p.driver) {
    case Driver::efc:
        return std::make_unique<EfcFlash>(samba, p.name, p.addr, p.pages, p.size, p.planes,
                                          p.lockRegions, p.user, p.stack, p.flag);
    case Driver::eefc:
        return std::make_unique<EefcFlash>(samba, p.name, p.addr, p.pages, p.size, p.planes,
                                           p.lockRegions, p.user, p.stack, p.regs, p.flag);
    case Driver::nvm:
        return std::make_unique<NvmFlash>(samba, p.name, p.addr, p.pages, p.size, p.planes,
                                          p.lockRegions, p.user, p.stack, p.regs, p.flag);
    }
    return nullptr;
}

std::string FlashFactory::unsupportedMessage(std::uint32_t chipId) {
    return "Flash for chip ID " + std::to_string(static_cast<std::int32_t>(chipId)) +
           " is not supported\n";
}
