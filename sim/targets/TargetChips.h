#pragma once

#include "sim/targets/EefcController.h"
#include "sim/targets/EfcController.h"
#include "sim/targets/NvmController.h"

#include <cstdint>
#include <memory>

namespace sim {

class TargetMemory;

// Whole simulated chips put into a target memory before a boot monitor serves it:
// flash and RAM regions, the identification words the monitor client reads, and the
// flash controller. Each returns the controller for fault switches and checks.

// A Cortex-M0+ part with 256 KiB of flash in 64-byte pages and 32 KiB of RAM. The
// first 8 KiB of flash hold the boot monitor (a fixed pattern). `deviceId` is the
// raw device identification word (die and revision bits included).
std::shared_ptr<NvmController> installNvmChip(TargetMemory& memory,
                                              std::uint32_t deviceId = 0x10010305);

// A Cortex-M3 part with 512 KiB of flash in two planes of 1024 pages of 256 bytes and
// the controller banks at 0x400E0A00 and 0x400E0C00 (chip identifier 0x285E0A60).
std::shared_ptr<EefcController> installEefcChip(TargetMemory& memory,
                                                std::uint32_t chipId = 0x285E0A60);

// An ARM7 part at 0x100000 with pages of 256 bytes: one plane of 1024 pages and 16
// lock regions (0x270B0940), or two planes of 1024 pages each and 32 lock regions
// (0x270B0A40).
std::shared_ptr<EfcController> installEfcChip(TargetMemory& memory, bool twoPlanes);

// The boot monitor's own bytes in the first 8 KiB of a Cortex-M0+ part.
std::uint8_t monitorByte(std::uint32_t addr);

} // namespace sim
